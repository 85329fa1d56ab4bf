#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every modal message box of the program goes through here, so that tests can answer them.
class CZKPrompt {
public:
    enum class Kind { Information, Warning, Critical, Question };

    struct Call {
        Kind kind;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
    };

    using Responder = std::function<QMessageBox::StandardButton(const Call&)>;

    static QMessageBox::StandardButton information(QWidget* parent, const QString& title, const QString& text,
                                                   QMessageBox::StandardButtons buttons = QMessageBox::Ok);
    static QMessageBox::StandardButton warning(QWidget* parent, const QString& title, const QString& text,
                                               QMessageBox::StandardButtons buttons = QMessageBox::Ok);
    static QMessageBox::StandardButton critical(QWidget* parent, const QString& title, const QString& text,
                                                QMessageBox::StandardButtons buttons = QMessageBox::Ok);
    static QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text,
                                                QMessageBox::StandardButtons buttons
                                                = QMessageBox::Yes | QMessageBox::No);

    // Installs a responder that answers instead of showing the box; an empty one restores the
    // real boxes.
    static void setResponder(Responder responder);

    // The save-file dialog; an empty name means the operator cancelled it.
    struct FileCall {
        QString title;
        QString directory;
        QString filter;
    };
    using FileResponder = std::function<QString(const FileCall&)>;

    static QString saveFileName(QWidget* parent, const QString& title, const QString& directory,
                                const QString& filter);
    // As setResponder, for the file dialogs.
    static void setFileResponder(FileResponder responder);

private:
    static QMessageBox::StandardButton ask(Kind kind, QWidget* parent, const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons);
};
