// fakeunit: stands in for the radio unit on a UDP address, for tests and demonstrations.
//
//   fakeunit [--address ADDR] [--port PORT] [--log FILE] [--silent] [--delay MS]
//
//   --address  address to bind (default 127.0.0.1)
//   --port     UDP port to bind (default 40000)
//   --log      file that gets one line per datagram received and the switches' notes
//              (default: standard error)
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
//   FAKE#GARBAGE=<seed>             answer every AT command with garbage: random bytes, an
//                                   overlong line, or the real reply mangled (cut, doubled, lines
//                                   swapped, numbers and quotes broken), the same again for the
//                                   same seed and commands; 0 answers normally again
//   FAKE#FLOOD=<count>,<per second>[,<seed>]
//                                   send <count> datagrams at that rate to whoever sent the last
//                                   AT command: "+CMGR:" reads with their PDUs, USSD answers open
//                                   and closed, "!SELRAT:" lines, "+CPIN:" states, "+CPBR:"
//                                   entries, and garbage; at most 100,000 datagrams and 60 s; a
//                                   random seed when none is given; a count of 0 ends a flood
//   FAKE#FROM=<address>             the next datagram that is not a control's answer leaves from
//                                   <address> of the unit's network, through a second socket
//                                   bound there on the same port ("ERROR" when it cannot be bound)
// The seeds, a flood's start and end, and a datagram sent from the other address are noted in
// the log. It runs until it is killed.

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
