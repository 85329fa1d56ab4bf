// fakeunit: stands in for the radio unit on a UDP address, for tests and demonstrations.
//
//   fakeunit [--address ADDR] [--port PORT] [--log FILE] [--silent] [--delay MS]
//
//   --address  address to bind (default 127.0.0.1)
//   --port     UDP port to bind (default 40000)
//   --log      file that gets one line per datagram received (default: standard error)
//   --silent   answer no AT command
//   --delay    answer every AT command MS milliseconds late
//
// Once bound it prints "fakeunit listening on ADDR:PORT" on standard output. Every AT command
// datagram is answered with one datagram: the command echoed, the reply lines, "OK" or an
// error (the table is in FakeUnitReplies.cpp). Its SIM card starts with three stored messages
// (one of them in two parts) and two phone-book entries, which "AT+CMGR", "AT+CMGD", "AT+CPBR"
// and "AT+CPBW" read and change. "AT+CUSD=1,"<code>"" is answered "OK" at once and, 100 ms
// later, by the network's "+CUSD:" datagram: "*100#" in one datagram, "*101#" and "*102#" in
// two. While it runs, datagrams beginning "FAKE#" change it and are answered "OK" to their
// sender ("ERROR" when they cannot be done):
//   FAKE#SILENT=1 | FAKE#SILENT=0   stop or resume answering
//   FAKE#DELAY=<ms>                 answer late (0: at once)
//   FAKE#UNSOLICITED=<text>         send <text> ("\r" and "\n" written as such) to whoever sent
//                                   the last AT command
//   FAKE#SMS=<pdu>                  store an SMS-DELIVER PDU (hexadecimal text) at the first
//                                   free index of the SIM's message store
// It runs until it is killed.

#include "FakeUnit.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Stands in for the radio unit on UDP."));
    parser.addHelpOption();
    parser.addOptions({{"address", "Address to bind.", "addr", "127.0.0.1"}, {"port", "Port to bind.", "port", "40000"},
                       {"log", "Log file.", "file"}, {"silent", "Answer nothing."}, {"delay", "Answer late.", "ms"}});
    parser.process(app);

    QFile log(parser.value("log"));
    if (parser.isSet("log") ? !log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)
                            : !log.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        qCritical("fakeunit: cannot open the log: %s", qPrintable(log.errorString()));
        return 1;
    }
    FakeUnit unit;
    unit.log = &log;
    unit.silent = parser.isSet("silent");
    unit.delayMs = parser.value("delay").toInt();
    const QHostAddress address(parser.value("address"));
    if (address.isNull() || !unit.open(address, quint16(parser.value("port").toUInt()))) {
        qCritical("fakeunit: cannot bind %s:%s: %s", qPrintable(address.toString()), qPrintable(parser.value("port")),
                  qPrintable(unit.errorString()));
        return 1;
    }
    QTextStream(stdout) << "fakeunit listening on " << unit.address().toString() << ':' << unit.port() << Qt::endl;
    return app.exec();
}
