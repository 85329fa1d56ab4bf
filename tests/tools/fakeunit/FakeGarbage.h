#pragma once

#include <QByteArray>
#include <QRandomGenerator>

// What a broken or hostile unit sends: random bytes, lines far longer than any real answer, real
// answers mangled, and well-formed answers nobody asked for. Everything is drawn from one
// generator seeded at construction, so the same seed and the same calls give the same bytes.
class FakeGarbage {
public:
    explicit FakeGarbage(quint32 seed = 1)
        : random(seed)
    {
    }

    // Random bytes, an overlong line, or `reply` mangled: cut, doubled, two lines swapped,
    // numbers and quotes broken.
    QByteArray garble(const QByteArray& reply);

    // A well-formed answer of a kind the program reads: an SMS read ("+CMGR:" and its PDU), a
    // USSD answer closed in one datagram, opened without its closing quote, or the rest that
    // closes one, "!SELRAT:" lines, a "+CPIN:" state, "+CPBR:" entries.
    QByteArray wellFormed();

    // The next datagram of a flood: a well-formed answer, or one garbled.
    QByteArray floodDatagram();

    // No overlong line is longer than this; a UDP datagram must still carry it.
    static constexpr int MaxLineBytes = 32 * 1024;

private:
    int below(int bound) { return int(random.bounded(quint32(bound))); }
    bool chance(int percent) { return below(100) < percent; }
    QByteArray randomFill(int size);
    QByteArray randomBytes();
    QByteArray overlongLine();
    QByteArray mangled(QByteArray reply);
    // Letters, digits, blanks and punctuation, but never a double quote.
    QByteArray text(int minimum, int maximum);
    QByteArray digits(int count);

    QRandomGenerator random;
};
