#include "WindowTestSupport.h"

#include "app/CZKAboutDlg.h"
#include "app/CZKGlobals.h"
#include "app/CZKInitialize.h"
#include "app/CZKLauncher.h"
#include "app/CZKOptions.h"
#include "app/CZKOptionsDlg.h"
#include "app/CZKStartup.h"
#include "compose/CZKAddEditContact.h"
#include "compose/CZKMSISDNSList.h"
#include "compose/CZKNewSMS.h"
#include "sim/CZKInputPINPUKDialog.h"
#include "sim/CZKSetPIN.h"

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
        QFile copy(fixture.workDir.filePath(QStringLiteral("DarkOrange.qss")));
        QVERIFY(copy.open(QIODevice::WriteOnly) && copy.write(sheet) == sheet.size());
        copy.close();
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
};

QTEST_MAIN(TestWindowTexts)
#include "tst_windowtexts.moc"
