#include "app/CZKPrompt.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace {

// The boxes' standard buttons take their texts from the toolkit's own catalogue, which the
// program does not ship; naming them here puts them into the program's catalogues, so a box in
// a translated window has no English buttons.
[[maybe_unused]] const char* const kStandardButtonTexts[] = {
    QT_TRANSLATE_NOOP("QPlatformTheme", "OK"),   QT_TRANSLATE_NOOP("QPlatformTheme", "Cancel"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "&Yes"), QT_TRANSLATE_NOOP("QPlatformTheme", "&No"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Close"),
};

CZKPrompt::Responder& responder()
{
    static CZKPrompt::Responder instance;
    return instance;
}

CZKPrompt::FileResponder& fileResponder()
{
    static CZKPrompt::FileResponder instance;
    return instance;
}
} // namespace

void CZKPrompt::setResponder(Responder newResponder)
{
    responder() = std::move(newResponder);
}

QMessageBox::StandardButton CZKPrompt::ask(Kind kind, QWidget* parent, const QString& title, const QString& text,
                                           QMessageBox::StandardButtons buttons)
{
    if (responder())
        return responder()(Call{kind, title, text, buttons});
    switch (kind) {
    case Kind::Information: return QMessageBox::information(parent, title, text, buttons);
    case Kind::Warning: return QMessageBox::warning(parent, title, text, buttons);
    case Kind::Critical: return QMessageBox::critical(parent, title, text, buttons);
    case Kind::Question: return QMessageBox::question(parent, title, text, buttons);
    }
    return QMessageBox::NoButton;
}

QMessageBox::StandardButton CZKPrompt::information(QWidget* parent, const QString& title, const QString& text,
                                                   QMessageBox::StandardButtons buttons)
{
    return ask(Kind::Information, parent, title, text, buttons);
}

QMessageBox::StandardButton CZKPrompt::warning(QWidget* parent, const QString& title, const QString& text,
                                               QMessageBox::StandardButtons buttons)
{
    return ask(Kind::Warning, parent, title, text, buttons);
}

QMessageBox::StandardButton CZKPrompt::critical(QWidget* parent, const QString& title, const QString& text,
                                                QMessageBox::StandardButtons buttons)
{
    return ask(Kind::Critical, parent, title, text, buttons);
}

QMessageBox::StandardButton CZKPrompt::question(QWidget* parent, const QString& title, const QString& text,
                                                QMessageBox::StandardButtons buttons)
{
    return ask(Kind::Question, parent, title, text, buttons);
}

void CZKPrompt::setFileResponder(FileResponder newResponder)
{
    fileResponder() = std::move(newResponder);
}

QString CZKPrompt::saveFileName(QWidget* parent, const QString& title, const QString& directory, const QString& filter)
{
    if (fileResponder())
        return fileResponder()(FileCall{title, directory, filter});
    return QFileDialog::getSaveFileName(parent, title, directory, filter);
}
