#pragma once

#include <QHostAddress>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <QUdpSocket>
#include <QVector>

class QIODevice;

// Stands in for the radio unit on the wire: every command datagram gets one reply datagram that
// echoes the command line and then gives the lines the program interprets (FakeUnitReplies.cpp).
// It can stay silent, answer late, or send a datagram of its own; the "FAKE#" control datagrams
// are described in main.cpp. Its SIM card holds a message store and a phone book.
class FakeUnit : public QObject {
    Q_OBJECT
public:
    // Received or sent at `atMs` on a monotonic clock.
    struct Datagram { QByteArray bytes; qint64 atMs = 0; };
    // The PDU is an SMS-DELIVER as hexadecimal text.
    struct StoredSms { QByteArray pdu; bool read = false; };
    struct PhoneBookEntry { QString number; int type = 129; QString name; };
    static constexpr int SmsCapacity = 20;
    static constexpr int PhoneBookCapacity = 250;
    // After the reply, each unsolicited datagram of the answer (USSD) follows this much later.
    static constexpr int LaterGapMs = 100;

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

    bool silent = false;
    int delayMs = 0;
    QIODevice* log = nullptr;   // gets one line per datagram received
    // Everything received (controls too) and everything sent, oldest first.
    QVector<Datagram> received, sent;
    QHostAddress lastSender;
    quint16 lastSenderPort = 0;
    // Messages by index (1 to SmsCapacity), phone book by position (1 to PhoneBookCapacity).
    QMap<int, StoredSms> simMessages;
    QMap<int, PhoneBookEntry> simPhoneBook;

private:
    void readPending();
    // Answers one command line (carriage return removed); false when the unit stays quiet.
    // Commands that write the SIM change it here.
    bool answer(const QString& command, QByteArray* reply, QStringList* later);
    void handleControl(const QString& control, const QHostAddress& from, quint16 fromPort);
    void send(const QByteArray& bytes, const QHostAddress& to, quint16 toPort);

    QUdpSocket* socket;
};
