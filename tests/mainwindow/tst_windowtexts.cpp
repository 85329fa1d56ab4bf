#include "WindowTestSupport.h"

#include "app/CZKAboutDlg.h"
#include "app/CZKGlobals.h"
#include "app/CZKInitialize.h"
#include "app/CZKLauncher.h"
#include "app/CZKOptions.h"
#include "app/CZKOptionsDlg.h"
#include "app/CZKPlatform.h"
#include "app/CZKStartup.h"
#include "compose/CZKAddEditContact.h"
#include "compose/CZKMSISDNSList.h"
#include "compose/CZKNewSMS.h"
#include "sim/CZKInputPINPUKDialog.h"
#include "sim/CZKSetPIN.h"

#include "charts/RecordingPaintDevice.h"

#include "ui_CZKMainWindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QTest>
#include <QTranslator>

namespace {
// Every text widget of `root` shown now that is narrower than its text needs.
void collectCutOffs(QWidget* root, const QString& where, QSet<QString>& found)
{
    const auto check = [&](QWidget* widget, const QString& text, int has, int needs) {
        if (has < needs)
            found << QStringLiteral("%1 %2 '%3': %4 < %5").arg(where, widget->objectName(), text).arg(has).arg(needs);
    };
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        const int hint = widget->minimumSizeHint().width();
        if (!widget->isVisible())
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget))
            check(widget, label->text(), widget->width(), hint);
        else if (qobject_cast<QPushButton*>(widget) || qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget))
            check(widget, static_cast<QAbstractButton*>(widget)->text(), widget->width(), hint);
        else if (auto* box = qobject_cast<QGroupBox*>(widget))
            check(widget, box->title(), widget->width(), hint);
        else if (auto* bar = qobject_cast<QTabBar*>(widget))
            for (int i = 0; i < bar->count(); ++i) {
                const QString text = bar->tabText(i).remove(QLatin1Char('&'));
                const int icon = bar->tabIcon(i).isNull() ? 0 : bar->iconSize().width();
                check(widget, text, bar->tabRect(i).width(), bar->fontMetrics().horizontalAdvance(text) + icon);
            }
    }
}

// The widgets as shown now and on every page of each tab widget shown.
void collectOnAllTabs(QWidget* root, const QString& where, QSet<QString>& found)
{
    root->show();
    QCoreApplication::processEvents();
    collectCutOffs(root, where, found);
    for (QTabWidget* tabs : root->findChildren<QTabWidget*>()) {
        const int shown = tabs->currentIndex();
        for (int i = 0; tabs->isVisible() && i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
            collectCutOffs(root, where + QLatin1Char('/') + tabs->tabText(i), found);
        }
        tabs->setCurrentIndex(shown);
    }
}

// The device trees' texts that the view does not draw whole, with every item unselected and then
// with every item selected, each tab's tree on show. The style puts an ellipsis exactly where an
// item's room in its column is short of its text under the font it is drawn with; the window
// draws without eliding, so the check asks for the ellipsis to see a shortfall that clipping
// would hide.
QStringList treeTextsCut(const Ui_CZKMainWindow* ui, const QString& when)
{
    QStringList cut;
    for (QTreeWidget* tree : {ui->treeSettings, ui->treeRFSetup, ui->treeSMS, ui->treeTests}) {
        QWidget* tab = tree;
        while (tab && ui->tabWidget->indexOf(tab) < 0)
            tab = tab->parentWidget();
        if (tab)
            ui->tabWidget->setCurrentWidget(tab);
        QCoreApplication::processEvents();
        const Qt::TextElideMode mode = tree->textElideMode();
        tree->setTextElideMode(Qt::ElideRight);
        for (const bool selected : {false, true}) {
            for (QTreeWidgetItemIterator it(tree); *it; ++it)
                (*it)->setSelected(selected);
            QCoreApplication::processEvents();
            RecordingPaintDevice device(tree->viewport()->size());
            tree->viewport()->render(&device);
            for (QTreeWidgetItemIterator it(tree); *it; ++it) {
                const QRect row = tree->visualItemRect(*it);
                for (int column = 0; column < tree->columnCount(); ++column) {
                    const int left = tree->header()->sectionViewportPosition(column);
                    const int right = left + tree->header()->sectionSize(column);
                    QMap<qreal, QString> pieces;   // by their place in the row
                    for (int i = 0; i < device.texts.size(); ++i) {
                        const QPointF at = device.baselines.at(i);
                        if (at.x() >= left && at.x() < right && at.y() > row.top() && at.y() <= row.bottom())
                            pieces.insert(at.x(), device.texts.at(i));
                    }
                    const QString drawn = QStringList(pieces.values()).join(QString());
                    if (drawn != (*it)->text(column))
                        cut << QStringLiteral("%1, %2, %3: '%4' drawn as '%5'")
                                   .arg(when, tree->objectName(), selected ? QStringLiteral("selected")
                                                                           : QStringLiteral("not selected"),
                                        (*it)->text(column), drawn);
                }
            }
        }
        tree->clearSelection();
        tree->setTextElideMode(mode);
    }
    ui->tabWidget->setCurrentWidget(ui->tabSettings);
    return cut;
}
// The style sheet in the window's working folder, where the skin menu looks for it.
bool placeSheet(const WindowFixture& fixture, const QByteArray& sheet)
{
    QFile copy(fixture.workDir.filePath(QStringLiteral("DarkOrange.qss")));
    return copy.open(QIODevice::WriteOnly) && copy.write(sheet) == sheet.size();
}

} // namespace

// No operator text is cut off, in Polish or English: the main window at its first size, on
// every tab and every page, and every dialog.
class TestWindowTexts : public QObject {
    Q_OBJECT

    QTranslator polish;

private slots:
    void initTestCase()
    {
        startWindowTests();
        // The program's own start, which sets the application font the forms are drawn for.
        CZKStartup::startServices(*options());
        QVERIFY(polish.load(QStringLiteral("dudedoriv_pl"), qEnvironmentVariable("DUDEDORIV_BINARY_DIR")));
        // The terminal and log tabs are there only in extended administration mode.
        setAdminMode(true);
        options()->extendedMode = true;
    }

    void cleanupTestCase() { CZKStartup::releaseLoggerAndTranslator(); }

    void textsFit_data()
    {
        QTest::addColumn<bool>("inPolish");
        QTest::newRow("PL") << true;
        QTest::newRow("EN") << false;
    }

    void textsFit()
    {
        QFETCH(bool, inPolish);
        if (inPolish)
            QCoreApplication::installTranslator(&polish);
        else
            QCoreApplication::removeTranslator(&polish);
        QSet<QString> found;

        WindowFixture fixture;
        CZKMainWindow* window = fixture.window.get();
        window->resize(660, 470);
        collectOnAllTabs(window, QStringLiteral("window"), found);
        QCOMPARE(window->size(), QSize(660, 470));
        QTabWidget* tabs = fixture.probe->ui()->tabWidget;
        tabs->setCurrentIndex(tabs->indexOf(fixture.probe->ui()->tabSettings));
        const QList<QPair<int, int>> pages = {{Device, 0}, {SimCard, 0}, {ProfilesRoot, -1}, {Profile, 1}};
        for (const auto& page : pages) {
            QVERIFY(fixture.select(page.first, page.second));
            collectOnAllTabs(fixture.probe->pageForm(), fixture.probe->pageForm()->objectName(), found);
        }

        CZKNewSMS composer, shortCode;
        shortCode.setEnabledMode(false);
        CZKInputPINPUKDialog pin(nullptr, true), puk(nullptr, false);
        CZKLauncher launcher;
        CZKOptionsDlg settings;
        CZKAboutDlg about;
        CZKInitialize initialise;
        CZKSetPIN changePin;
        CZKMSISDNSList chooser;
        CZKAddEditContact contact(false);
        for (QDialog* dialog : QList<QDialog*>{&launcher, &settings, &about, &initialise, &pin, &puk,
                                               &changePin, &composer, &shortCode, &chooser, &contact}) {
            collectOnAllTabs(dialog, QString::fromLatin1(dialog->metaObject()->className()), found);
            dialog->hide();
        }
        QStringList sorted = found.values();
        sorted.sort();
        QVERIFY2(found.isEmpty(), qPrintable(sorted.join(QLatin1Char('\n'))));
    }

    // A skin, at start or switched to, leaves the window's font as its form gives it and the
    // settings tree's texts whole.
    void skinsKeepTheLook_data()
    {
        QTest::addColumn<bool>("darkAtStart");
        QTest::newRow("dark, then default") << true;
        QTest::newRow("default, then dark") << false;
    }

    void skinsKeepTheLook()
    {
        QFETCH(bool, darkAtStart);
        QCoreApplication::installTranslator(&polish);
        QFile file(qEnvironmentVariable("DUDEDORIV_SOURCE_DIR") + QStringLiteral("/resources/DarkOrange.qss"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray sheet = file.readAll();
        application()->setStyleSheet(darkAtStart ? QString::fromLatin1(sheet) : QString());

        WindowFixture fixture;
        QVERIFY(placeSheet(fixture, sheet));
        CZKMainWindow* window = fixture.window.get();
        window->resize(660, 470);
        window->show();
        const Ui_CZKMainWindow* ui = fixture.probe->ui();
        QTreeWidget* tree = ui->treeSettings;
        const auto check = [&](const char* when) {
            QCoreApplication::processEvents();
            const QString where = QString::fromLatin1(when);
            QVERIFY2(tree->font().pointSizeF() == window->font().pointSizeF(), qPrintable(where));
            for (QTreeWidgetItemIterator it(tree); *it; ++it) {
                const QTreeWidgetItem* item = *it;
                for (int column = 0; column < tree->columnCount(); ++column) {
                    // The first column holds the branch and icon too; the last one is measured by
                    // its text, as the view draws it.
                    const int margin = tree->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree) + 1;
                    const int right = tree->header()->sectionViewportPosition(column)
                        + (column == 0 ? tree->columnWidth(0)
                                       : margin + QFontMetrics(item->font(column)).horizontalAdvance(item->text(column)));
                    QVERIFY2(item->text(column).isEmpty() || right <= tree->viewport()->width(),
                             qPrintable(QStringLiteral("%1: '%2' ends at %3 of %4")
                                            .arg(where, item->text(column))
                                            .arg(right)
                                            .arg(tree->viewport()->width())));
                }
            }
        };
        check("at start");
        (darkAtStart ? ui->actionDefault : ui->actionDarkOrange)->trigger();
        QCOMPARE(application()->styleSheet().isEmpty(), darkAtStart);
        check("after the switch");
        application()->setStyleSheet(QString());
        QCoreApplication::removeTranslator(&polish);
    }

    // Each text of the device trees is drawn whole, the active card's bold name and slot among
    // them, selected or not: in either skin and language at start, and after the operator
    // switches the skin or the language from the menu.
    void treeTextsWhole_data()
    {
        QTest::addColumn<bool>("darkAtStart");
        QTest::addColumn<bool>("polishAtStart");
        QTest::addColumn<QString>("change");   // "skin", "language" or none
        for (const bool dark : {false, true}) {
            for (const bool polish : {true, false}) {
                for (const char* change : {"", "skin", "language"}) {
                    const QString start = QStringLiteral("%1, %2")
                                              .arg(polish ? QStringLiteral("PL") : QStringLiteral("EN"),
                                                   dark ? QStringLiteral("dark") : QStringLiteral("default"));
                    const QString row = *change ? QStringLiteral("%1, %2 switched").arg(start, QLatin1String(change))
                                                : start;
                    QTest::newRow(qPrintable(row)) << dark << polish << QString::fromLatin1(change);
                }
            }
        }
    }

    void treeTextsWhole()
    {
        QFETCH(bool, darkAtStart);
        QFETCH(bool, polishAtStart);
        QFETCH(QString, change);
        const QString built = qEnvironmentVariable("DUDEDORIV_BINARY_DIR");
        QFile file(qEnvironmentVariable("DUDEDORIV_SOURCE_DIR") + QStringLiteral("/resources/DarkOrange.qss"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray sheet = file.readAll();
        struct Restore {
            ~Restore()
            {
                application()->setStyleSheet(QString());
                if (translator())
                    QCoreApplication::removeTranslator(translator());
                delete translator();
                translator() = nullptr;
                CZKPlatform::setProgramFolder(QString());
            }
        } restore;
        // As the program starts: its translation and skin in force before the window is built.
        CZKPlatform::setProgramFolder(built);
        if (translator())
            QCoreApplication::removeTranslator(translator());
        delete translator();
        translator() = new QTranslator;
        QVERIFY(CZKStartup::installTranslation(translator(), nullptr, built,
                                               polishAtStart ? QStringLiteral("PL") : QStringLiteral("EN"), QString()));
        application()->setStyleSheet(darkAtStart ? QString::fromLatin1(sheet) : QString());

        WindowFixture fixture;
        QVERIFY(placeSheet(fixture, sheet));
        CZKMainWindow* window = fixture.window.get();
        const Ui_CZKMainWindow* ui = fixture.probe->ui();
        window->languageCode = polishAtStart ? QStringLiteral("PL") : QStringLiteral("EN");
        window->checkLanguageAction();
        window->resize(660, 470);
        window->show();
        // The active card, bold, is named in the language in force.
        const auto activeCard = [&] {
            const QTreeWidgetItem* card = findItem(ui->treeSettings, SimCard, 0);
            return card && card->font(0).bold() && card->font(1).bold() ? card->text(0) : QString();
        };
        const QString cardAtStart = activeCard();
        QVERIFY2(cardAtStart.endsWith(QStringLiteral("(%1)").arg(CZKMainWindow::tr("Active"))),
                 qPrintable(cardAtStart));

        QStringList cut = treeTextsCut(ui, QStringLiteral("at start"));
        if (change == QLatin1String("skin"))
            (darkAtStart ? ui->actionDefault : ui->actionDarkOrange)->trigger();
        else if (change == QLatin1String("language"))
            (polishAtStart ? ui->actionEN : ui->actionPL)->trigger();
        if (!change.isEmpty()) {
            QCoreApplication::processEvents();   // the window gets the new language's event
            QCOMPARE(application()->styleSheet().isEmpty(), darkAtStart == (change == QLatin1String("skin")));
            QCOMPARE(window->languageCode, (polishAtStart == (change == QLatin1String("language")))
                                               ? QStringLiteral("EN") : QStringLiteral("PL"));
            QCOMPARE(activeCard() != cardAtStart, change == QLatin1String("language"));
            cut << treeTextsCut(ui, QStringLiteral("after the switch"));
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestWindowTexts)
#include "tst_windowtexts.moc"
