// The SMS codec against libgammu's, on one core: the decoder on 10,000 SMS-DELIVER PDUs (a
// third of them parts of long messages, the rest 7-bit and UCS2 singles), the encoder on long
// 7-bit and UCS2 texts. Inputs are made here from a fixed seed, so every run measures the same
// work. Both sides' decoded texts are checked against the texts the PDUs were made from first.

#include "app/CZKPlatform.h"
#include "sms/GsmAlphabet.h"
#include "sms/SmsPduDecoder.h"
#include "sms/SmsPduEncoder.h"
#include "sms/SmsPduText.h"

#include <gammu.h>

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

#include <sched.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr int PduCount = 10000;
constexpr int PartCount = PduCount / 3 + 1;
constexpr int Passes = 15;
constexpr int EncoderTexts = 400; // half of them 7-bit, half UCS2

// xorshift64*: the same inputs on every machine and every run.
class Random {
public:
    quint32 next()
    {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return quint32((state * 0x2545F4914F6CDD1DULL) >> 32);
    }
    int below(int n) { return int(next() % quint32(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }

private:
    quint64 state = 0x9E3779B97F4A7C15ULL;
};

void appendOctet(QByteArray* hex, int value)
{
    static const char digits[] = "0123456789ABCDEF";
    hex->append(digits[(value >> 4) & 0x0F]);
    hex->append(digits[value & 0x0F]);
}

QByteArray hexOf(const QByteArray& octets)
{
    return octets.toHex().toUpper();
}

// Semi-octets of a digit string, "F" filler after an odd count.
QByteArray semiOctets(const QByteArray& digits)
{
    QByteArray padded = digits;
    if (padded.size() % 2)
        padded.append('F');
    for (int i = 0; i < padded.size(); i += 2) {
        const char first = padded.at(i);
        padded[i] = padded.at(i + 1);
        padded[i + 1] = first;
    }
    return padded;
}

// `septets` packed after `headerOctets` octets of header and its fill bits, the header left
// as zero octets for the caller to fill in.
QByteArray packAfterHeader(const QByteArray& septets, int headerOctets)
{
    const int skipped = (headerOctets * 8 + 6) / 7;
    const int total = skipped + septets.size();
    QByteArray octets((total * 7 + 7) / 8, '\0');
    for (int i = 0; i < septets.size(); ++i) {
        const int bit = 7 * (skipped + i);
        const int value = septets.at(i) & 0x7F;
        octets[bit / 8] = char(quint8(octets.at(bit / 8)) | quint8(value << (bit % 8)));
        if (bit % 8 > 1)
            octets[bit / 8 + 1] = char(quint8(octets.at(bit / 8 + 1)) | quint8(value >> (8 - bit % 8)));
    }
    return octets;
}

struct Sample {
    QByteArray pdu;   // hexadecimal text as the unit hands it out
    QString text;     // what the PDU was made from
    QString sender;
    bool part = false;
};

class PduMaker {
public:
    QVector<Sample> make()
    {
        QVector<Sample> samples;
        int parts = 0;
        int singles = 0;
        while (parts + singles < PduCount) {
            const int partsLeft = PartCount - parts;
            const int singlesLeft = PduCount - PartCount - singles;
            if (random.below(partsLeft + singlesLeft) < partsLeft) {
                const int count = std::min(partsLeft, random.between(2, 5));
                appendLongMessage(count, &samples);
                parts += count;
            } else {
                appendSingle(&samples);
                ++singles;
            }
        }
        return samples;
    }

private:
    void pickOriginator()
    {
        const int kind = random.below(20);
        originator.clear();
        if (kind == 0) { // a name
            static const char* const names[] = {"InfoSMS", "Bank", "Operator", "Kurier24", "Apteka"};
            const QByteArray name = names[random.below(5)];
            QByteArray septets;
            GsmAlphabet::toSeptets(QString::fromLatin1(name), &septets);
            const QByteArray packed = packAfterHeader(septets, 0);
            appendOctet(&originator, (septets.size() * 7 + 3) / 4);
            appendOctet(&originator, 0xD0);
            originator += hexOf(packed);
            sender = QString::fromLatin1(name);
            return;
        }
        QByteArray digits;
        const int length = kind < 5 ? random.between(9, 10) : 11;
        for (int i = 0; i < length; ++i)
            digits.append(char('0' + (i == 0 ? 1 + random.below(9) : random.below(10))));
        const bool international = kind >= 5;
        appendOctet(&originator, digits.size());
        appendOctet(&originator, international ? 0x91 : 0x81);
        originator += semiOctets(digits);
        sender = (international ? QStringLiteral("+") : QString()) + QString::fromLatin1(digits);
    }

    QByteArray head(bool header, quint8 dataCoding)
    {
        static const char* const centres[] = {"48790998250", "48601000310", "79037011111"};
        QByteArray pdu;
        const QByteArray centre = semiOctets(centres[random.below(3)]);
        appendOctet(&pdu, centre.size() / 2 + 1);
        appendOctet(&pdu, 0x91);
        pdu += centre;
        appendOctet(&pdu, header ? 0x44 : 0x04);
        pdu += originator;
        appendOctet(&pdu, 0x00);
        appendOctet(&pdu, dataCoding);
        const int fields[6] = {random.between(15, 35), random.between(1, 12), random.between(1, 28),
                               random.between(0, 23), random.between(0, 59), random.between(0, 59)};
        for (int value : fields)
            appendOctet(&pdu, ((value % 10) << 4) | (value / 10));
        const int quarters = random.below(4) * 4;
        appendOctet(&pdu, ((quarters % 10) << 4) | (quarters / 10));
        return pdu;
    }

    QString gsmText(int septets)
    {
        static const QString letters = QString::fromUtf8(
            "eeeeeaaaaiiiiooouuunnnrrrsssttlcdmpwyzgbhkfj      ..,,!?-:0123456789ABCDEMPSTZ@$\n");
        static const QString extended = QString::fromUtf8("€{}[]~^|\\");
        QString text;
        int used = 0;
        while (used < septets) {
            if (used + 2 <= septets && random.below(40) == 0) {
                text += extended.at(random.below(extended.size()));
                used += 2;
            } else {
                text += letters.at(random.below(letters.size()));
                ++used;
            }
        }
        return text;
    }

    QString ucs2Text(int units)
    {
        static const QString letters = QString::fromUtf8("ąćęłńóśźżaeiouyzsrnkłwcПриветмиржизньαβγ  ,.!");
        QString text;
        while (text.size() < units)
            text += letters.at(random.below(letters.size()));
        return text;
    }

    void appendSingle(QVector<Sample>* samples)
    {
        pickOriginator();
        const bool ucs2 = random.below(5) < 2;
        Sample sample;
        sample.sender = sender;
        if (ucs2) {
            sample.text = ucs2Text(random.between(5, 70));
            sample.pdu = head(false, 0x08);
            appendOctet(&sample.pdu, 2 * sample.text.size());
            for (const QChar c : sample.text) {
                appendOctet(&sample.pdu, c.unicode() >> 8);
                appendOctet(&sample.pdu, c.unicode() & 0xFF);
            }
        } else {
            sample.text = gsmText(random.between(10, 160));
            QByteArray septets;
            GsmAlphabet::toSeptets(sample.text, &septets);
            sample.pdu = head(false, 0x00);
            appendOctet(&sample.pdu, septets.size());
            sample.pdu += hexOf(packAfterHeader(septets, 0));
        }
        samples->append(sample);
    }

    void appendLongMessage(int count, QVector<Sample>* samples)
    {
        pickOriginator();
        const bool ucs2 = random.below(3) == 0;
        const bool sixteenBit = random.below(2) == 0;
        const int headerOctets = sixteenBit ? 7 : 6;
        const int reference = random.below(sixteenBit ? 65536 : 256);
        for (int number = 1; number <= count; ++number) {
            QByteArray header;
            header.append(char(headerOctets - 1));
            header.append(char(sixteenBit ? 0x08 : 0x00));
            header.append(char(sixteenBit ? 4 : 3));
            if (sixteenBit)
                header.append(char(reference >> 8));
            header.append(char(reference & 0xFF));
            header.append(char(count));
            header.append(char(number));
            Sample sample;
            sample.sender = sender;
            sample.part = true;
            const bool last = number == count;
            if (ucs2) {
                const int capacity = (140 - headerOctets) / 2;
                sample.text = ucs2Text(last ? random.between(5, capacity) : capacity);
                sample.pdu = head(true, 0x08);
                appendOctet(&sample.pdu, headerOctets + 2 * sample.text.size());
                sample.pdu += hexOf(header);
                for (const QChar c : sample.text) {
                    appendOctet(&sample.pdu, c.unicode() >> 8);
                    appendOctet(&sample.pdu, c.unicode() & 0xFF);
                }
            } else {
                const int skipped = (headerOctets * 8 + 6) / 7;
                const int capacity = 160 - skipped;
                // A full part whose last character would not fit whole ends one septet short.
                sample.text = gsmText(last ? random.between(10, capacity) : capacity);
                QByteArray septets;
                GsmAlphabet::toSeptets(sample.text, &septets);
                QByteArray octets = packAfterHeader(septets, headerOctets);
                octets.replace(0, headerOctets, header);
                sample.pdu = head(true, 0x00);
                appendOctet(&sample.pdu, skipped + septets.size());
                sample.pdu += hexOf(octets);
            }
            samples->append(sample);
        }
    }

    Random random;
    QByteArray originator;
    QString sender;
};

// What the reply interpreter takes from one decoded PDU: the stored message's sender, date
// and text, or the part it holds until its set is complete.
struct Taken {
    QString sender;
    QString text;
    QDateTime time;
};

bool takeOurs(const QByteArray& pdu, Taken* taken)
{
    SmsPduDecoder decoder;
    decoder.decode(pdu.constData());
    if (decoder.kind() != SmsPduDecoder::Deliver)
        return false;
    if (decoder.concatenated) {
        const SmsPart part = decoder.part;
        taken->sender = part.sender;
        taken->text = part.text;
        taken->time = part.time;
        return true;
    }
    SmsDeliverPdu deliver;
    if (!decoder.getDeliverPdu(&deliver))
        return false;
    taken->sender = QString::fromUtf8(deliver.originator, int(qstrnlen(deliver.originator, sizeof deliver.originator)));
    taken->time = dateStringToDateTime(deliver.timestamp);
    taken->text = decoder.text();
    return true;
}

bool takeGammu(const QByteArray& pdu, GSM_SMSMessage* sms)
{
    unsigned char octets[256];
    const size_t length = size_t(pdu.size()) / 2;
    if (length > sizeof octets
        || !DecodeHexBin(octets, reinterpret_cast<const unsigned char*>(pdu.constData()), size_t(pdu.size())))
        return false;
    size_t end = 0;
    return GSM_DecodePDUFrame(GSM_GetGlobalDebug(), sms, octets, length, &end, TRUE) == ERR_NONE;
}

QString gammuText(const unsigned char* bigEndian)
{
    QString text;
    for (const unsigned char* p = bigEndian; p[0] || p[1]; p += 2)
        text.append(QChar(ushort((p[0] << 8) | p[1])));
    return text;
}

// Seconds of the fastest of `Passes` passes of each side, the sides run in turns so that all
// meet the same state of the machine.
std::vector<double> fastestPasses(const std::vector<std::function<void()>>& sides)
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> best(sides.size(), 1e9);
    for (int pass = 0; pass < Passes; ++pass) {
        for (size_t side = 0; side < sides.size(); ++side) {
            const auto start = Clock::now();
            sides[side]();
            best[side] = std::min(best[side], std::chrono::duration<double>(Clock::now() - start).count());
        }
    }
    return best;
}

// Keeps the process on the core it runs on, so that no migration enters the figures.
bool pinToOneCore()
{
    const int cpu = sched_getcpu();
    if (cpu < 0)
        return false;
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(cpu, &one);
    return sched_setaffinity(0, sizeof one, &one) == 0;
}

volatile long long sink; // keeps the measured work from being optimised away

struct LongText {
    QString text;
    QByteArray utf8;
    QByteArray bigEndian; // libgammu's UCS2 text, two zero bytes at the end
    bool ucs2 = false;
};

std::vector<LongText> makeLongTexts()
{
    Random random;
    std::vector<LongText> texts;
    const QString gsm = QString::fromUtf8("eeaaiioounrstl cdmpwyz..,,!?0123456789ABCZ@$€{}");
    const QString wide = QString::fromUtf8("ąćęłńóśźżaeiouПриветмир  ,.!");
    for (int i = 0; i < EncoderTexts; ++i) {
        LongText t;
        t.ucs2 = i % 2 == 1;
        const QString& pool = t.ucs2 ? wide : gsm;
        const int length = t.ucs2 ? random.between(71, 400) : random.between(161, 900);
        while (t.text.size() < length)
            t.text += pool.at(random.below(pool.size()));
        t.utf8 = t.text.toUtf8();
        for (const QChar c : t.text) {
            t.bigEndian.append(char(c.unicode() >> 8));
            t.bigEndian.append(char(c.unicode() & 0xFF));
        }
        t.bigEndian.append(2, '\0');
        texts.push_back(t);
    }
    return texts;
}

// The parts of one long text, as the composer asks for them.
int encodeOurs(SmsPduEncoder& encoder, const LongText& t)
{
    SmsMultipartPdu out;
    const bool ok = t.ucs2 ? encoder.encodeMultiUcs2("+48790998250", "+48601234567", t.text.utf16())
                           : encoder.encodeMulti7Bit("+48790998250", "+48601234567", t.utf8.constData(), nullptr);
    return ok && encoder.getMultipartPdu(&out) ? out.partCount : 0;
}

int encodeGammu(const LongText& t)
{
    static GSM_MultiSMSMessage multi; // large, as are libgammu's callers' own
    static GSM_MultiPartSMSInfo info;
    GSM_ClearMultiPartSMSInfo(&info);
    info.EntriesNum = 1;
    info.UnicodeCoding = t.ucs2 ? TRUE : FALSE;
    info.Entries[0].ID = SMS_ConcatenatedTextLong16bit; // a 16-bit reference, as ours
    info.Entries[0].Buffer = reinterpret_cast<unsigned char*>(const_cast<char*>(t.bigEndian.constData()));
    return GSM_EncodeMultiPartSMS(GSM_GetGlobalDebug(), &info, &multi) == ERR_NONE ? multi.Number : 0;
}

void printRow(const char* name, double ours, double theirs)
{
    std::printf("%-42s %10.0f %10.0f %7.2fx\n", name, ours, theirs, ours / theirs);
}

} // namespace

int main()
{
    CZKPlatform::pinLocalTimeZone(); // as the program's main() does, before anything reads local time
    if (!pinToOneCore())
        std::fprintf(stderr, "could not pin to one core; measuring anyway\n");

    const QVector<Sample> samples = PduMaker().make();
    static GSM_SMSMessage sms; // large; libgammu's callers keep one too

    // Both decoders must read the made PDUs as they were made, or the rates mean nothing.
    int wrong = 0;
    int parts = 0;
    int ucs2Singles = 0;
    for (const Sample& sample : samples) {
        Taken taken;
        parts += sample.part;
        const bool ours = takeOurs(sample.pdu, &taken) && taken.text == sample.text && taken.sender == sample.sender
            && taken.time.isValid();
        const bool theirs = takeGammu(sample.pdu, &sms) && gammuText(sms.Text) == sample.text
            && gammuText(sms.Number) == sample.sender;
        ucs2Singles += !sample.part && sms.Coding == SMS_Coding_Unicode_No_Compression;
        if (!ours || !theirs) {
            if (++wrong <= 3)
                std::fprintf(stderr, "%s misread by %s\n", sample.pdu.constData(), ours ? "libgammu" : "ours");
        }
    }
    if (wrong > 0) {
        std::fprintf(stderr, "%d of %d PDUs misread; no figures\n", wrong, int(samples.size()));
        return 1;
    }

    const std::vector<double> decoding = fastestPasses({
        [&samples] {
            long long sum = 0;
            for (const Sample& sample : samples) {
                Taken taken;
                if (takeOurs(sample.pdu, &taken))
                    sum += taken.text.size() + taken.time.time().second();
            }
            sink = sum;
        },
        [&samples] {
            long long sum = 0;
            for (const Sample& sample : samples) {
                if (takeGammu(sample.pdu, &sms))
                    sum += sms.Length + sms.DateTime.Second;
            }
            sink = sum;
        },
    });

    // The encoder: long texts, half 7-bit and half UCS2, each coding measured on its own.
    const std::vector<LongText> texts = makeLongTexts();
    SmsPduEncoder encoder;
    int ourParts[2] = {};
    int gammuParts[2] = {};
    for (const LongText& t : texts) {
        ourParts[t.ucs2] += encodeOurs(encoder, t);
        gammuParts[t.ucs2] += encodeGammu(t);
    }
    if (ourParts[0] != gammuParts[0] || ourParts[1] != gammuParts[1])
        std::fprintf(stderr, "the encoders split the texts differently: rates are per part made\n");
    auto encodingPass = [&texts](bool ucs2, auto encode) {
        return [&texts, ucs2, encode] {
            long long sum = 0;
            for (const LongText& t : texts) {
                if (t.ucs2 == ucs2)
                    sum += encode(t);
            }
            sink = sum;
        };
    };
    auto ours = [&encoder](const LongText& t) { return encodeOurs(encoder, t); };
    const std::vector<double> encoding = fastestPasses({
        encodingPass(false, ours),
        encodingPass(false, encodeGammu),
        encodingPass(true, ours),
        encodingPass(true, encodeGammu),
    });

    const double count = samples.size();
    std::printf("SMS codec on one core, fastest of %d passes, local time zone pinned as in main()\n", Passes);
    std::printf("  decoder: %d SMS-DELIVER PDUs: %d parts of long messages, %d 7-bit and %d UCS2 singles\n",
                int(samples.size()), parts, int(samples.size()) - parts - ucs2Singles, ucs2Singles);
    std::printf("  encoder: %d long texts, into %d 7-bit and %d UCS2 parts (libgammu: %d and %d)\n",
                int(texts.size()), ourParts[0], ourParts[1], gammuParts[0], gammuParts[1]);
    std::printf("\n%-42s %10s %10s %8s\n", "PDUs per second", "ours", "libgammu", "ratio");
    printRow("decoder", count / decoding[0], count / decoding[1]);
    printRow("encoder, 7-bit parts", ourParts[0] / encoding[0], gammuParts[0] / encoding[1]);
    printRow("encoder, UCS2 parts", ourParts[1] / encoding[2], gammuParts[1] / encoding[3]);
    std::printf("\nDecoder: a fresh decoder per PDU, then the text, sender and date the reply interpreter\n"
                "takes (a part: its copy; a single: the record's copy, dated by dateStringToDateTime).\n"
                "libgammu: hexadecimal text to octets, GSM_DecodePDUFrame. Encoder: encodeMulti*\n"
                "and getMultipartPdu (PDU texts) against GSM_EncodeMultiPartSMS (message structures).\n");
    return 0;
}
