// fakeunitctl: the scripts' side of the fake unit.
//
//   fakeunitctl send ADDR PORT TEXT   sends TEXT as one datagram to ADDR:PORT and prints the
//                                     answer; exits 0 when its last line is "OK", 1 on any other
//                                     answer, 2 when none comes within 3 seconds
//   fakeunitctl pdu TEXT [SENDER]     prints the length that "+CMGR:" gives and the SMS-DELIVER
//                                     PDU of TEXT from SENDER, as the fake unit's SIM holds them
//
// Whole-program runs use it from inside the unit's network namespace for the "FAKE#" controls.

#include "FakeSms.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QTextStream>
#include <QUdpSocket>

namespace {

int usage()
{
    QTextStream(stderr) << "usage: fakeunitctl send ADDR PORT TEXT | fakeunitctl pdu TEXT [SENDER]\n";
    return 64;
}

int send(const QString& address, const QString& port, const QString& text)
{
    const QHostAddress to(address);
    bool portOk = false;
    const quint16 toPort = quint16(port.toUInt(&portOk));
    if (to.isNull() || !portOk)
        return usage();
    QUdpSocket socket;
    if (!socket.bind(QHostAddress(QHostAddress::AnyIPv4), 0)) {
        QTextStream(stderr) << "fakeunitctl: cannot bind: " << socket.errorString() << '\n';
        return 2;
    }
    const QByteArray bytes = text.toUtf8();
    if (socket.writeDatagram(bytes, to, toPort) != bytes.size()) {
        QTextStream(stderr) << "fakeunitctl: cannot send: " << socket.errorString() << '\n';
        return 2;
    }
    if (!socket.waitForReadyRead(3000)) {
        QTextStream(stderr) << "fakeunitctl: no answer from " << address << ':' << port << '\n';
        return 2;
    }
    const QByteArray answer = socket.receiveDatagram().data().trimmed();
    QTextStream(stdout) << answer << '\n';
    // "FAKE#STATE" answers its line before the "OK".
    return answer.split('\n').last().trimmed() == "OK" ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 4 && args.at(0) == QLatin1String("send"))
        return send(args.at(1), args.at(2), args.at(3));
    if ((args.size() == 2 || args.size() == 3) && args.at(0) == QLatin1String("pdu")) {
        FakeSms sms;
        sms.text = args.at(1);
        if (args.size() == 3)
            sms.sender = args.at(2);
        const QByteArray pdu = sms.pdu();
        QTextStream(stdout) << FakeSms::tpduLength(pdu) << ' ' << pdu << '\n';
        return 0;
    }
    return usage();
}
