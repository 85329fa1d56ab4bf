// fakeunit: stands in for the radio unit on a UDP address, for tests and demonstrations.
//
//   fakeunit [--address ADDR] [--port PORT] [--log FILE] [--silent] [--delay MS] [--rat NN]
//            [--band NN] [--empty-phonebook] [--sim-locked] [--show-password]
//
//   --address  address to bind (default 127.0.0.1)
//   --port     UDP port to bind (default 40000)
//   --log      file that gets one line per datagram received and the switches' notes
//              (default: standard error)
//   --silent   answer no AT command
//   --delay    answer every AT command MS milliseconds late
//   --rat      the access technology setting it starts with (default 00, automatic)
//   --band     the band row it starts with (default 03, LTE B20)
//   --empty-phonebook
//              start with nothing in the SIM's phone book
//   --sim-locked
//              start with PIN verification on and the PIN wanted
//   --show-password
//              "AT$QCPDPP?" shows the data profile's password as a fourth field
//
// Once bound it prints "fakeunit listening on ADDR:PORT" on standard output. Every AT command
// datagram is answered with one datagram: the command echoed, the reply lines, "OK" or an
// error (the table is in FakeUnitReplies.cpp). Its SIM card starts with three stored messages
// (one of them in two parts) and two phone-book entries, which "AT+CMGR", "AT+CMGD", "AT+CPBR"
// and "AT+CPBW" read and change, by position (two positions may hold the same entry); "AT+CPBS?"
// gives "+CPBS: "SM",<entries>,<positions>", 250 positions unless FAKE#PBSIZE says otherwise.
// As a SIM's records, its phone book holds names of at most 18 characters: a longer one is
// refused with "+CME ERROR: 24" and the position keeps what it had.
// "AT#", the link's ping, is echoed with "OK".
//
// Its message store has 20 indexes, 1 to 20 (0 to 19 after FAKE#SMSBASE=0). "AT+CPMS" gives the
// counts of the store as "<used>,20"; "AT+CMGR" of an empty index answers "+CMS ERROR: 321",
// "AT+CMGD" of an empty one "OK", of one outside the store "+CMS ERROR: 321".
//
// Its SIM has the PIN "1234" and the PUK "12345678", with 3 tries; it starts ready with
// verification off. "AT+CPIN?" gives "+CPIN: READY", "+CPIN: SIM PIN" or "+CPIN: SIM PUK".
// "AT+CPIN="<pin>"" is answered "OK" (the SIM ready, all tries back) or "+CME ERROR: 16" with a
// try less; after the third wrong PIN the SIM wants its PUK and answers a PIN "+CME ERROR: 12".
// "AT+CPIN="<puk>","<new pin>"" is answered "OK" with the new PIN set (any state), else 16.
// "AT+CLCK="SC",2" gives "+CLCK: 0|1"; "AT+CLCK="SC",0|1,"<pin>"" (verification off or on) and
// "AT+CPWD="SC","<old>","<new>"" are answered "OK", 16 with a try less (16 without one for a new
// PIN that is not 4 to 8 digits), or "+CME ERROR: 11" / "12" while the SIM wants its PIN / PUK, as
// "AT+CIMI" is then instead of the IMSI. These take their PINs quoted, as the program sends them
// ("ERROR" otherwise); "AT#PIN=<slot>,<pin>" (unquoted) is answered "OK" and the PIN kept for the
// slot. Other facilities of "AT+CLCK" and "AT+CPWD" are answered "OK" alone.
//
// It keeps its network configuration and data profile. "AT#CNF=<mac>,<conf>,<ip>,<port>" is
// answered "OK" when the MAC is six hexadecimal pairs joined by ":", conf a number, ip a dotted
// IPv4 address and port 1 to 65535, else "ERROR"; "AT#CNF?" gives "ETHERNET ADDRESS: ",
// "NETWORK CONFIGURATION: " ("NAT ENABLED" for 3, "STATIC" otherwise), "NETWORK ADDRESS:
// <ip>/24" and "UDP AT COMMAND PORT: ", its own socket's address and port until a write, the
// written values after it (the socket stays where it is). "AT!SCACT=0|1,<cid>" is answered "OK".
// "AT+CGDCONT=1,"<type>","<apn>"" sets context 1, the only one it keeps (APN "internet" at
// start; other contexts are answered "ERROR"), and "AT+CGDCONT?"
// gives "+CGDCONT: 1,"<type>","<apn>","0.0.0.0",0,0". "AT$QCPDPP=1,1|2,"<password>","<user>""
// (the password first, as the modem takes it) and "AT$QCPDPP=1,0" (no credentials) are kept;
// "AT$QCPDPP?" gives "$QCPDPP: 1,1|2,"<user>"" without the password (with it as a fourth field
// under --show-password or FAKE#SHOWPASSWORD=1), or "$QCPDPP: 1,0".
// "AT+CUSD=1,"<code>"" is answered "OK" at once and, 100 ms later, by the network's "+CUSD:"
// datagram: "*100#" in one datagram, "*101#" and "*102#" in two.
//
// It sends SMS: "AT+CMGF=0|1" chooses PDU or text mode and "AT+CSCA?" gives the service centre.
// "AT+CMGS=<length>" (PDU mode) or "AT+CMGS=<number>" (text mode) is answered by its echo and
// the prompt "\r\n> "; the next datagram ending in Ctrl-Z is the message: an SMS-SUBMIT PDU of
// the announced TPDU length (7-bit, 8-bit or UCS2, single or a part of a set with an 8-bit or
// 16-bit reference), answered "+CMGS: <reference>" and "OK", or "+CMS ERROR: 304" when it does
// not decode. ESC at the prompt drops the message ("OK"); any other datagram at the prompt is
// taken as message text and answered by the prompt again. Every message is logged with its
// destination, coding, part, reference and text, and a complete set with its parts joined.
//
// It keeps radio settings: "AT!SELRAT?" and "AT!SELRAT=<nn>" (00 Automatic, 01 UMTS 3G Only,
// 02 GSM 2G Only, 03 UMTS 3G Preferred, 05 GSM 2G and UMTS 3G, 06 LTE Only); "AT!BAND?" ("Index,
// Name" and the row whose masks are set) and "AT!BAND=<nn>" (00 All bands, 01 LTE All, 02 GSM
// WCDMA All, 03 LTE B20), each row setting both band masks; "AT!ENTERCND="C962";!GBAND?" gives
// the masks and "AT!ENTERCND = "C962";!GBAND = <mask>,<mask>" sets them (blanks around either
// "=" and ";" are taken, for the query too); "AT#RUN=0|1" the run state.
// "AT+COPS?" gives "+COPS: 0,0,"Fake Net",<AcT>", 7 while the setting is automatic or LTE only
// and 2 otherwise; the first answer after a change of setting still gives the old one.
// "AT!GSTATUS?" gives the modem's two-column radio status (in each column a label, blanks and the
// value; the columns separated by tabs) for LTE at first, or for the technology FAKE#RADIO sets; its
// level steps through -95 to -55 dBm by 4 from report to report, starting at -67.
//
// While it runs, datagrams beginning "FAKE#" change it and are answered "OK" to their
// sender ("ERROR" when they cannot be done), also while it waits at its "> " prompt:
//   FAKE#SILENT=1 | FAKE#SILENT=0   stop or resume answering
//   FAKE#DELAY=<ms>                 answer late (0: at once)
//   FAKE#UNSOLICITED=<text>         send <text> ("\r" and "\n" written as such) to whoever sent
//                                   the last AT command
//   FAKE#SMS=<pdu>                  store an SMS-DELIVER PDU (hexadecimal text) at the first
//                                   free index of the SIM's message store, and announce it with
//                                   "+CMTI: "SM",<index>" to whoever sent the last AT command
//   FAKE#SMSAT=<index>,<pdu>        store it at that index, in place of what was there (gaps
//                                   allowed; "ERROR" outside the store)
//   FAKE#SMSBASE=0 | FAKE#SMSBASE=1 number the message store 0 to 19 instead of 1 to 20, or
//                                   back; the messages keep their order
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
//   FAKE#CMGS=<switch>              how "AT+CMGS" goes: NORMAL; ERROR ("+CMS ERROR: 500", no
//                                   prompt); NOPROMPT (the echo alone, yet waiting at the
//                                   prompt); NORESULT (the prompt, then no answer to the message,
//                                   which is not sent)
//   FAKE#COPS=<switch>              what "AT+COPS?" gives: NORMAL; LIMITED
//                                   ("+COPS: 0,0,"LIMITED SERVICE",<AcT>"); NONE ("+COPS: 0")
//   FAKE#RAT=<nn> | FAKE#BAND=<nn>  set the access technology or the band row at once, as the
//                                   unit would start with them
//   FAKE#RADIO=<technology>         what "AT!GSTATUS?" reports: 2G, 3G, 4G (at start), or NONE
//                                   (the LTE report with "---" where the level stands)
//   FAKE#PHONEBOOK=EMPTY | FAKE#PHONEBOOK=NORMAL
//                                   clear the SIM's phone book, or put back its two starting
//                                   entries alone
//   FAKE#PBSIZE=<n>                 the phone book's number of positions (250 at start; 0 for a
//                                   card without one), as "+CPBS:" gives it; entries beyond it go,
//                                   and "AT+CPBR" or "AT+CPBW" past it is answered "+CME ERROR: 21"
//   FAKE#PBREFUSE=1 | FAKE#PBREFUSE=0
//                                   refuse every "AT+CPBW", write or erase, with "ERROR" and leave
//                                   the phone book as it is, or take them again
//   FAKE#SIMLOCK=1 | FAKE#SIMLOCK=0 PIN verification on with the PIN wanted, or off with the
//                                   SIM ready; either way all tries back
//   FAKE#SHOWPASSWORD=1 | FAKE#SHOWPASSWORD=0
//                                   whether "AT$QCPDPP?" shows the password as a fourth field
//   FAKE#STATE                      answers one line before its "OK": RAT=<nn> BAND=<nn or none>
//                                   GBAND=<mask>,<mask> RUN=<0|1> CMGF=<0|1> CMGS=<switch>
//                                   COPS=<switch> SENT=<messages sent> PB=<phone-book entries>
//                                   PIN=<READY|PIN|PUK> LOCK=<0|1> TRIES=<tries left> APN=<apn>
//                                   USER=<user> PASS=<password>
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
                       {"log", "Log file.", "file"}, {"silent", "Answer nothing."}, {"delay", "Answer late.", "ms"},
                       {"rat", "Access technology setting to start with.", "nn", "00"},
                       {"band", "Band row to start with.", "nn", "03"},
                       {"empty-phonebook", "Start with an empty SIM phone book."},
                       {"sim-locked", "Start with PIN verification on and the PIN wanted."},
                       {"show-password", "Show the data profile's password in \"AT$QCPDPP?\"."}});
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
    if (parser.isSet("empty-phonebook"))
        unit.resetPhoneBook(true);
    if (parser.isSet("sim-locked"))
        unit.setSimLocked(true);
    unit.showPassword = parser.isSet("show-password");
    if (!unit.setRat(parser.value("rat"))) {
        qCritical("fakeunit: no access technology setting %s", qPrintable(parser.value("rat")));
        return 1;
    }
    if (!unit.setBand(parser.value("band"))) {
        qCritical("fakeunit: no band row %s", qPrintable(parser.value("band")));
        return 1;
    }
    const QHostAddress address(parser.value("address"));
    if (address.isNull() || !unit.open(address, quint16(parser.value("port").toUInt()))) {
        qCritical("fakeunit: cannot bind %s:%s: %s", qPrintable(address.toString()), qPrintable(parser.value("port")),
                  qPrintable(unit.errorString()));
        return 1;
    }
    QTextStream(stdout) << "fakeunit listening on " << unit.address().toString() << ':' << unit.port() << Qt::endl;
    return app.exec();
}
