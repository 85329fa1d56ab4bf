#pragma once

#include "FakeGarbage.h"
#include "FakeSubmit.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QUdpSocket>
#include <QVector>

class QIODevice;

// Stands in for the radio unit on the wire: every command datagram gets one reply datagram that
// echoes the command line and then gives the lines the program interprets (FakeUnitReplies.cpp).
// It can stay silent, answer late, send a datagram of its own, answer with garbage, flood the
// program, or answer from another address of its network; the "FAKE#" control datagrams are
// described in main.cpp. Its SIM card holds a message store, a phone book and a PIN with its
// PUK; it sends SMS in PDU and text mode, and keeps radio settings (access technology, bands, run
// state), its network configuration and the data profile (APN, user, password) that the
// program's commands read and change.
class FakeUnit : public QObject {
    Q_OBJECT
public:
    // Received or sent at `atMs` on a monotonic clock.
    struct Datagram { QByteArray bytes; qint64 atMs = 0; };
    // The PDU is an SMS-DELIVER as hexadecimal text.
    struct StoredSms { QByteArray pdu; bool read = false; };
    struct PhoneBookEntry { QString number; int type = 129; QString name; };
    // A message taken after "AT+CMGS": one PDU, a complete concatenated set with its parts'
    // texts joined, or text sent in text mode.
    struct SentSms { QString destination; QString text; QString coding; int parts = 1; bool textMode = false; };
    // How "AT+CMGS" goes: as a unit should, with an error reply, without the prompt datagram
    // (though waiting at the prompt all the same), or with the prompt but no answer to the PDU.
    enum class CmgsSwitch { Normal, Error, NoPrompt, NoResult };
    // What "AT+COPS?" reports: registered, limited service, or not registered.
    enum class CopsSwitch { Normal, Limited, Unregistered };
    // What the SIM wants before it serves: nothing, its PIN, or its PUK after too many wrong PINs.
    enum class SimState { Ready, Pin, Puk };
    static constexpr int PinTries = 3;
    static constexpr int SmsCapacity = 20;
    static constexpr int PhoneBookCapacity = 250;
    // The longest name a phone-book record of its SIM holds; a longer one is refused.
    static constexpr int PhoneBookNameLength = 18;
    // After the reply, each unsolicited datagram of the answer (USSD) follows this much later.
    static constexpr int LaterGapMs = 100;
    // No flood sends more than this many datagrams.
    static constexpr int FloodMaxDatagrams = 100000;

    explicit FakeUnit(QObject* parent = nullptr);   // with the SIM card's starting entries

    // Port 0 takes a free one.
    bool open(const QHostAddress& host, quint16 port) { return socket->bind(host, port, QUdpSocket::DontShareAddress); }
    QHostAddress address() const { return socket->localAddress(); }
    quint16 port() const { return socket->localPort(); }
    QString errorString() const { return socket->errorString(); }
    // To whoever sent the last AT command.
    void sendUnsolicited(const QByteArray& bytes) { send(bytes, lastSender, lastSenderPort); }
    // Puts a PDU at the first free index of the message store: the index, or -1 when full.
    int storeSms(const QByteArray& pdu);
    // Puts a PDU at that index, in place of what was there; false outside the store.
    bool storeSmsAt(int index, const QByteArray& pdu);
    // Numbers the message store from `base` (0 or 1), the messages keeping their order.
    void setSmsBase(int base);

    // With a seed other than 0 every AT command is answered with garbage (FakeGarbage) drawn
    // from a generator seeded with it; 0 answers as the table says again.
    void setGarbage(quint32 seed);
    // The access technology setting ("00", "06", ...) as the unit starts with it: registration
    // follows at once. False for a setting the unit does not know.
    bool setRat(const QString& code);
    // Sets both band masks from the row of "AT!BAND" with this index; false when there is none.
    bool setBand(const QString& index);
    // What "AT!GSTATUS?" reports from now on: "2G", "3G", "4G" or "NONE"; false for anything else.
    bool setRadio(const QString& technology);
    // The index of the band row whose masks are set; empty when the masks match none.
    QString bandIndex() const;
    // A band mask as "!GBAND" gives it: sixteen upper-case hexadecimal digits.
    static QString maskText(quint64 mask);
    // Empties the SIM's phone book, or gives it back its two starting entries and nothing else.
    void resetPhoneBook(bool empty);
    // Turns PIN verification on with the PIN wanted, or back off with the SIM ready; either way
    // with all tries left.
    void setSimLocked(bool locked);
    // One line: RAT, band, masks, run state, message format, switches, messages sent, phone-book
    // entries, PIN state, lock, tries left, APN, user, password.
    QByteArray state() const;
    // Sends `count` (at most FloodMaxDatagrams) unsolicited datagrams, well-formed answers and
    // garbage, at `perSecond` to whoever sent the last AT command, for at most floodLimitMs.
    // False when no AT command came yet or the rate is not positive. A count of 0 ends a flood.
    bool startFlood(int count, int perSecond, quint32 seed);
    bool flooding() const { return floodTimer.isActive(); }
    // The next datagram that is not a control's answer leaves from `address` (same port), on a
    // second socket bound there. False when that socket cannot be bound.
    bool sendNextFrom(const QHostAddress& address);

    bool silent = false;
    int delayMs = 0;
    QIODevice* log = nullptr;   // gets one line per datagram received, and the switches' notes
    // Everything received (controls too) and everything sent, oldest first.
    QVector<Datagram> received, sent;
    QHostAddress lastSender;
    quint16 lastSenderPort = 0;
    // Messages by index (1 to SmsCapacity), phone book by position (1 to phoneBookSize).
    QMap<int, StoredSms> simMessages;
    int smsBase = 1;   // the message store's first index; some units count from 0
    QMap<int, PhoneBookEntry> simPhoneBook;
    // The positions of the SIM's phone book, as "+CPBS:" reports them; 0 is a card without one.
    int phoneBookSize = PhoneBookCapacity;
    // Sets that size; entries beyond it go. False for a negative size.
    bool setPhoneBookSize(int size);
    // Every "AT+CPBW", write or erase, is answered "ERROR" and changes nothing, as a SIM whose
    // book is locked or failing does.
    bool phoneBookRefused = false;
    // Whether the SIM asks for its PIN, as "AT+CLCK="SC",2" reports it; the SIM starts ready.
    bool pinLock = false;
    SimState simState = SimState::Ready;
    QString simPin = QStringLiteral("1234");
    QString simPuk = QStringLiteral("12345678");
    int pinTries = PinTries;   // a right PIN gives them all back; none left wants the PUK
    QMap<int, QString> slotPins;   // by SIM slot, as "AT#PIN" gave them to the unit
    // Network configuration written by "AT#CNF=": until then "AT#CNF?" reports the socket's own
    // address and port (the socket stays where it is after a write).
    bool configWritten = false;
    QString configMac = QStringLiteral("02:00:00:00:00:01");
    int configNet = 1;   // 3 is NAT, anything else a static address
    QString configAddress;
    quint16 configPort = 0;
    // Data profile of context 1: "AT+CGDCONT" and "AT$QCPDPP" (the modem's write form takes the
    // password before the user; its read form shows the user alone unless showPassword is set).
    QString apnType = QStringLiteral("IP");
    QString apn = QStringLiteral("internet");
    int apnAuth = 0;   // 0 none, 1 PAP, 2 CHAP
    QString apnUser;
    QString apnPassword;
    bool showPassword = false;
    // A flood's datagrams are counted, not kept in `sent`: there may be a hundred thousand.
    int floodTotal = 0;   // what the flood runs to, after the bound
    int floodSent = 0;
    int floodLimitMs = 60000;   // no flood lasts longer; a test may shorten it
    int floodRefused = 0;       // datagrams of the flood that the socket would not take
    // Radio settings, read and written by "AT!SELRAT", "AT!BAND", "!GBAND" and "AT#RUN".
    QString rat = QStringLiteral("00");
    quint64 gsmUmtsMask = 0;
    quint64 lteMask = 0;
    bool running = true;
    // The radio status: the technology of the report ("NONE": the LTE report with "---" for the
    // level, no signal) and how many reports were given, which steps the level on.
    enum class RadioSwitch { G2, G3, G4, None };
    RadioSwitch radioSwitch = RadioSwitch::G4;
    int radioReports = 0;
    int messageFormat = 0;   // "AT+CMGF": 0 PDU, 1 text
    CmgsSwitch cmgsSwitch = CmgsSwitch::Normal;
    CopsSwitch copsSwitch = CopsSwitch::Normal;
    // Every PDU taken, part by part, and every message complete, oldest first.
    QVector<FakeSubmit> sentParts;
    QVector<SentSms> sentMessages;

signals:
    void floodEnded(int sent);

private:
    void readPending();
    // Answers one command line (carriage return removed); false when the unit stays quiet.
    // Commands that write the SIM change it here.
    bool answer(const QString& command, QByteArray* reply, QStringList* later);
    // "AT+CMGS" in either message format: the prompt, or an error.
    QByteArray startSending(const QString& command, const QStringList& args);
    // The SIM's PIN commands and "AT+CIMI": false when the command is none of them.
    bool answerPin(const QString& upper, const QStringList& args, QStringList* lines, QString* result);
    // Checks a PIN for a command that needs it: a try less when wrong, the PUK wanted after the
    // last; "OK" or the error to answer.
    QString verifyPin(const QString& pin);
    // "AT#CNF", "AT!SCACT", "AT+CGDCONT" and "AT$QCPDPP": false when the command is none of them.
    bool answerDataProfile(const QString& upper, const QStringList& args, QStringList* lines, QString* result);
    // What comes while the unit waits at its prompt: the raw datagram, carriage returns kept.
    bool answerAtPrompt(const QString& input, QByteArray* reply);
    void takeSubmit(const FakeSubmit& part);
    void handleControl(const QString& control, const QHostAddress& from, quint16 fromPort);
    void send(const QByteArray& bytes, const QHostAddress& to, quint16 toPort);
    // Through the other address when one is armed.
    bool transmit(const QByteArray& bytes, const QHostAddress& to, quint16 toPort);
    void floodStep();
    void endFlood();
    void note(const QByteArray& text);

    QUdpSocket* socket;
    QUdpSocket* otherSocket = nullptr;   // bound by sendNextFrom
    bool nextFromOther = false;
    quint32 garbageSeed = 0;
    FakeGarbage garbage;
    FakeGarbage floodGarbage;
    QTimer floodTimer;
    QElapsedTimer floodClock;
    int floodRate = 0;
    enum class Prompt { None, Pdu, Text };
    Prompt prompt = Prompt::None;
    int promptLength = 0;          // the TPDU length announced in PDU mode
    QString promptDestination;     // in text mode
    QString promptText;            // what came at the prompt so far
    int messageReference = 0;
    int reportedAct = 7;           // "AT+COPS?" follows a change of RAT one answer late
    // Parts of concatenated sets not yet complete, by destination, reference and part count.
    QMap<QString, QMap<int, FakeSubmit>> openSets;
};
