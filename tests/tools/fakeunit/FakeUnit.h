#pragma once

#include <QHostAddress>
#include <QObject>
#include <QVector>

#include <optional>

class QIODevice;
class QUdpSocket;

// Stands in for the radio unit on the wire: every command datagram gets one reply datagram that
// echoes the command line and then gives the lines the program interprets (the table is in
// FakeUnitReplies.cpp). It can stay silent, answer late, or send a datagram of its own; the
// "FAKE#" control datagrams are described in main.cpp.
class FakeUnit : public QObject {
    Q_OBJECT
public:
    struct Datagram {
        QByteArray bytes;
        qint64 atMs = 0;   // FakeUnit::nowMs() when it was received or sent
    };

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

    // The whole reply to one command line (carriage return removed), or nothing when the unit
    // stays quiet on it.
    std::optional<QString> replyFor(const QString& command) const;

    // A monotonic clock in ms that tests can compare with the stamps above.
    static qint64 nowMs();

private:
    void readPending();
    void handleControl(const QString& control, const QHostAddress& from, quint16 fromPort);
    void send(const QByteArray& bytes, const QHostAddress& to, quint16 toPort);
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
