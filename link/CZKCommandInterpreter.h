#pragma once

#include "bus/IMessageSender.h"
#include "db/MessageRecords.h"
#include "sms/SmsPart.h"

#include <QHash>
#include <QMap>
#include <QPair>
#include <QObject>
#include <QRegExpValidator>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

// Turns the unit's replies into reply keys on the bus (message 100, the key in msg and its
// value in desc), and stores the SMS read from the SIM and the network's USSD answers.
//
// Replies are matched to commands only by their content: the unit echoes every command, and
// the echo sets what the following lines mean. That state carries from one reply to the next
// until an "OK", "ERROR" or "+CME ERROR" line ends it. Runs on the GUI thread only.
class CZKCommandInterpreter : public QObject, public IMessageSender {
    Q_OBJECT
public:
    // Most parts of incomplete concatenated messages held in memory, and most SIM positions
    // remembered for them. Beyond it the oldest go from memory only: a held part was answered
    // "KEEP", so it stays on the SIM and a later read chain brings it back.
    static constexpr int kHeldPartsLimit = 1000;
    // Most SIM positions remembered with the message stored from them. Beyond it the oldest are
    // forgotten: a message read there again is then stored again, which loses nothing.
    static constexpr int kStoredReadsLimit = 1000;

    explicit CZKCommandInterpreter(QObject* parent = nullptr);
    ~CZKCommandInterpreter() override;

    void interpret(QString reply);

    // Offers one part of a concatenated SMS to the parts held so far. True when it completed
    // its set: the joined message is then in `record`. False when the part has to wait for
    // its siblings, or duplicates a part already held.
    bool assembleMultipartSms(const SmsPart& part);

private:
    Q_DISABLE_COPY(CZKCommandInterpreter)

    enum State : int {
        Idle = 0,
        ImsiNext = 1,
        ImeiNext = 2,
        FirmwareNext = 3,
        ModelNext = 4,
        ReadingSms = 5,
        BandEntryNext = 6,
        UssdContinues = 8,
        LockChange = 9,
        PinChange = 10,
        ReadEchoed = 11,   // "AT+CMGR=<p>" echoed, its "+CMGR:" line not yet come
        DeleteEchoed = 12, // "AT+CMGD=" or "AT+CMGDA=" echoed, its result not yet come
        PhoneBookWrite = 13, // "AT+CPBW=" echoed: a refusal is the phone book's, not any error
    };

    // What the last "+CMGR:" read brought, and so whether the SIM copy may go.
    enum class ReadOutcome {
        Nothing,      // no PDU line, or one that does not decode
        StatusReport, // not a message; nothing to keep
        PartHeld,     // a part of an incomplete set, held in `pending`
        Message,      // a whole message (or a completed set) in `record`
        StoredBefore, // what was stored from this very position before: read again, not new
    };


    // Concatenated parts belong together when they share these.
    struct SetKey {
        QString sender;
        quint16 reference = 0;
        quint8 partCount = 0;

        static SetKey of(const SmsPart& part) { return {part.sender, part.reference, part.partCount}; }
        bool holds(const SmsPart& part) const
        {
            return part.sender == sender && part.reference == reference && part.partCount == partCount;
        }
        bool operator==(const SetKey& other) const
        {
            return sender == other.sender && reference == other.reference && partCount == other.partCount;
        }
    };

    // Where on the SIM a held part lies: that position may go once the part's set is stored.
    struct HeldPosition {
        SetKey set;
        quint8 partNumber = 0;
        quint64 arrival = 0; // later reads have higher numbers
        QString pdu;
    };

    // What a SIM position of a card held when its message (or part) was stored from there.
    struct StoredRead {
        QString pdu;
        quint64 arrival = 0;
    };
    using CardPosition = QPair<int, int>; // SIM card id, SIM position

    struct Reply {
        QString raw;      // as received
        QString joined;   // "\r\n" turned into "\r"
        QStringList lines;
    };

    void interpretLine(const Reply& reply, int index);
    bool commandResult(const QString& upper);
    bool fieldRule(const QString& line, const QString& upper, const Reply& reply);
    bool echoRule(const QString& upper);
    bool unitInformation(const QString& line, const QString& upper);
    bool radioValue(const QString& line, const QString& upper);
    void unmatchedLine(const QString& line);

    void phoneBookEntry(const QString& line);
    void phoneBookSize(const QString& line);
    void apnName(const QString& line);
    void apnUser(const QString& line);
    void simStatus(const QString& upper);
    void bandMask(const QString& line);
    void messageCount(const QString& line);

    // SMS and USSD reception (CZKCommandInterpreterReception.cpp).
    void readMessage(const Reply& reply, int index);
    void storeReadMessage();
    // A read that ended without a stored message: nothing at the position ("EMPTY"), or a
    // message that has to stay ("KEEP").
    void endReadUnstored(bool found);
    void readEcho(const QString& upper);
    // Whether the line is the echo of a delete; when it is, its result is awaited.
    bool deleteEcho(const QString& upper);
    // The positions of the set's other parts, forgotten as held as they are handed out, and
    // remembered as stored on the card.
    QStringList takeHeldPositions(const SetKey& set, int simCardId);
    // Whether the read under way brings back, from where it lies, a message stored before.
    bool readsStoredMessage() const;
    void rememberStored(int simCardId, int position, const QString& pdu);
    // A delete the unit confirmed: what comes to those positions later is new.
    void forgetDeleted();
    // The delete awaited was answered by nothing the interpreter saw: what it deleted is unknown.
    void dropAwaitedDelete();
    // Another card in the slot: none of its positions holds what was stored before.
    void imsiReported(const QString& imsi);
    // Keeps `pending` and `heldPositions` within kHeldPartsLimit, the oldest going first.
    void letGoOldestParts();
    void ussdAnswer(const QString& raw);
    void continueUssd(const QString& raw);
    void collectUssd(const QString& text);
    void endUnclosedUssd();
    void stopUssdCollection();
    void storeUssd(QString text, const QString& tail = QString());
    void dropSet(const SetKey& key);

    void sendKey(const QString& key, const QString& value = QString());

    int state = Idle;
    QRegExpValidator validator;
    std::unique_ptr<ReceivedMessageRecord> record;
    std::vector<SmsPart> pending;
    QString ussdText;
    // An answer whose closing quote never comes is stored as far as it came once the link's
    // reply time-out has passed, so it neither waits nor grows for ever.
    QTimer ussdDeadline;
    // Each "!SELRAT: " line repeats the whole reply; the window needs it once.
    bool selratTaken = false;
    ReadOutcome readOutcome = ReadOutcome::Nothing;
    // The set whose joined text is in `record`; its parts leave `pending` once it is stored.
    std::optional<SetKey> joinedSet;
    // The position of the read under way, from its echo; -1 when it came without one.
    int readPosition = -1;
    // SIM positions of the parts in `pending`, from the reads that brought them.
    QMap<int, HeldPosition> heldPositions;
    quint64 heldCount = 0;
    // A re-read (a read typed in the terminal, a delete that never reached the unit) comes from
    // the same card and position with the same PDU, its time stamp and zone included; look-alikes
    // from elsewhere are separate messages. Kept for this run only.
    QHash<CardPosition, StoredRead> storedReads;
    quint64 storedCount = 0;
    // The PDU line of the read under way, as the unit sent it.
    QString readPdu;
    // The position of the delete under way, from its echo; -1 for a delete of several.
    int deletePosition = -1;
    QString lastImsi;
};
