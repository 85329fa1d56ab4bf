#pragma once

#include <QTableWidget>

class QKeyEvent;
class QResizeEvent;

// The table of the SMS tab and of the phone-book tab. It knows which of the two it is, so that
// the window can route the Delete key to the matching removal.
class CZKSMSTableWidget : public QTableWidget {
    Q_OBJECT
public:
    enum widgetKind { Unknown = 0, SMSMessages = 1, PhoneBook = 2 };
    Q_ENUM(widgetKind)

    explicit CZKSMSTableWidget(QWidget* parent = nullptr);

    void setKind(widgetKind kind);
    widgetKind kind() const;

    // Public here, so that the window can read the selection as the view itself sees it.
    QModelIndexList selectedIndexes() const override;

    // The message table: the sender's and the date's columns get the width their texts take, the
    // message text all the rest. Kept so on every resize, font or header change; the owner asks
    // again when the rows change.
    void fitMessageColumns();

signals:
    void deleteKeyPress(CZKSMSTableWidget::widgetKind kind);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    widgetKind m_kind = Unknown;
};
