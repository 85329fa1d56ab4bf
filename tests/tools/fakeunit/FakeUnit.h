#pragma once

#include <QHostAddress>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <QVector>

#include <optional>

class QIODevice;
class QUdpSocket;

// Stands in for the radio unit on the wire: every command datagram gets one reply datagram that
// echoes the command line and then gives the lines the program interprets (the table is in
// FakeUnitReplies.cpp). It can stay silent, answer late, or send a datagram of its own; the
// "FAKE#" control datagrams are described in main.cpp. Its SIM card holds a message store and
// a phone book, which start with a few entries (FakeUnitReplies.cpp) and which the commands
// and the tests change.
class FakeUnit : public QObject {
    Q_OBJECT
public:
    struct Datagram {
        QByteArray bytes;
        qint64 atMs = 0;   // FakeUnit::nowMs() when it was received or sent
    };

    // What the unit says to one command: the reply datagram, and datagrams that it sends of
    // its own accord shortly after (the network's USSD answer).
    struct Answer {
        QString reply;
        QStringList later;
    };

    struct StoredSms {
        QByteArray pdu; // SMS-DELIVER as hexadecimal text
        bool read = false;
    };

    struct PhoneBookEntry {
        QString number;
        int type = 129;
        QString name;
    };

    static constexpr int SmsCapacity = 20;
    static constexpr int PhoneBookCapacity = 250;
    // After the reply, the first unsolicited datagram follows this late, each further one
    // this much after the one before.
    static constexpr int LaterGapMs = 100;

    explicit FakeUnit(QObject* parent = nullptr);

    // Port 0 takes a free one; port() tells which.
    bool open(const QHostAddress& address, quint16 port);
    QHostAddress address() const;
    quint16 port() const;
    QString errorString() const;

    void setSilent(bool silent);
    void setDelayMs(int ms);
    // Each datagram received is written there as one line.
    void setLog(QIODevice* device);

    void sendUnsolicited(const QByteArray& bytes);

    // Everything received (controls too) and everything sent, oldest first.
    QVector<Datagram> received() const;
    QVector<Datagram> sent() const;
    QHostAddress lastSender() const;
    quint16 lastSenderPort() const;

    // The answer to one command line (carriage return removed), or nothing when the unit
    // stays quiet on it. Commands that write the SIM change it here.
    std::optional<Answer> answerFor(const QString& command);

    // Puts a PDU at the first free index of the message store: the index, or -1 when full.
    int storeSms(const QByteArray& pdu);

    // The SIM card: messages by index (1 to SmsCapacity), phone book by position (1 to
    // PhoneBookCapacity).
    QMap<int, StoredSms> simMessages;
    QMap<int, PhoneBookEntry> simPhoneBook;

    // A monotonic clock in ms that tests can compare with the stamps above.
    static qint64 nowMs();

private:
    void readPending();
    void handleControl(const QString& control, const QHostAddress& from, quint16 fromPort);
    void send(const QByteArray& bytes, const QHostAddress& to, quint16 toPort);
    void fillSim();
    void log(const QByteArray& bytes, const QHostAddress& from, quint16 fromPort);

    QUdpSocket* socket;
    QIODevice* logDevice = nullptr;
    bool silent = false;
    int delayMs = 0;
    QVector<Datagram> receivedDatagrams;
    QVector<Datagram> sentDatagrams;
    QHostAddress peer;
    quint16 peerPort = 0;
};
