#include "dialogs/docpropertieswidget.h"
#include "dialogs/preferencesdialog.h"
#include "mainwindow.h"
#include "startup.h"
#include "testutil.h"
#include "txapp.h"

#include <QComboBox>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

QVariant storedLocale()
{
    return QSettings().value(QStringLiteral("localization/locale"));
}

} // namespace

class TestPreferences : public QObject
{
    Q_OBJECT
private slots:
    void init() { QSettings().clear(); }
    void languageIsStoredOnSaveOnly();
    void germanWindowAndHelp();
    void namesReadableInEveryLanguage();
};

void TestPreferences::languageIsStoredOnSaveOnly()
{
    {
        PreferencesDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Preferences"));
        auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("language"));
        QCOMPARE(combo->currentText(), QStringLiteral("English"));
        combo->setCurrentIndex(combo->findData(QStringLiteral("de_DE")));
        dialog.findChild<QPushButton *>(QStringLiteral("cancel"))->click();
        QVERIFY(!storedLocale().isValid());
    }
    {
        PreferencesDialog dialog;
        auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("language"));
        combo->setCurrentIndex(combo->findData(QStringLiteral("de_DE")));
        dialog.findChild<QPushButton *>(QStringLiteral("save"))->click();
        QCOMPARE(storedLocale().toString(), QStringLiteral("de_DE"));
    }
    {
        // Reopened, it shows what is stored; an unknown locale shows nothing
        // and is stored as an empty string.
        PreferencesDialog again;
        QCOMPARE(again.findChild<QComboBox *>(QStringLiteral("language"))->currentText(),
                 QStringLiteral("Deutsch"));
        QSettings().setValue(QStringLiteral("localization/locale"), QStringLiteral("fr_FR"));
        PreferencesDialog unknown;
        QCOMPARE(unknown.findChild<QComboBox *>(QStringLiteral("language"))->currentIndex(), -1);
        unknown.findChild<QPushButton *>(QStringLiteral("save"))->click();
        QCOMPARE(storedLocale().toString(), QString());
    }
}

void TestPreferences::germanWindowAndHelp()
{
    QTranslator german;
    QVERIFY(startup::loadTranslation(german, QStringLiteral("de_DE")));
    QCoreApplication::installTranslator(&german);
    {
        MainWindow w;
        QStringList titles;
        for (QAction *a : w.menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles.first(), QStringLiteral("&Datei"));
        QVERIFY2(!titles.contains(QStringLiteral("&Edit")), qPrintable(titles.join(' ')));
        auto *save = w.findChild<QAction *>(QStringLiteral("action/save"));
        QCOMPARE(save->text(), QStringLiteral("Speichern"));
    }
    QCoreApplication::removeTranslator(&german);

    // The program started with German stored explains its command line in German.
    QTemporaryDir config;
    {
        QSettings stored(config.filePath(QStringLiteral("Norvane/Tagorix.conf")), QSettings::IniFormat);
        stored.setValue(QStringLiteral("localization/locale"), QStringLiteral("de_DE"));
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(QDir::tempPath());
    p.start(QDir(QStringLiteral(TAGORIX_BIN_DIR)).filePath(QStringLiteral("tagorix")),
            {QStringLiteral("--help")});
    QVERIFY(p.waitForFinished(60000));
    const QString help = QString::fromUtf8(p.readAllStandardOutput());
    QTranslator check;
    QVERIFY(startup::loadTranslation(check, QStringLiteral("de_DE")));
    const QString expected = check.translate("main", "Files to open, optionally.");
    QVERIFY(!expected.isEmpty());
    QVERIFY2(help.contains(expected), qPrintable(help));
}

void TestPreferences::namesReadableInEveryLanguage()
{
    for (const QString &locale : {QStringLiteral("en_US"), QStringLiteral("da_DK"),
                                  QStringLiteral("de_DE"), QStringLiteral("pl_PL"),
                                  QStringLiteral("sv_SE")}) {
        QTranslator translation;
        if (locale != QLatin1String("en_US")) {
            QVERIFY(startup::loadTranslation(translation, locale));
            QCoreApplication::installTranslator(&translation);
        }
        {
            // Every language by its own name, whatever the window speaks.
            PreferencesDialog dialog;
            auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("language"));
            QStringList names;
            for (int i = 0; i < combo->count(); ++i)
                names << combo->itemText(i);
            QCOMPARE(names, (QStringList{"English", "Dansk", "Deutsch", "Polski", "Svenska"}));
            auto *pages = dialog.findChild<QListWidget *>();
            for (int i = 0; i < pages->count(); ++i) {
                const int text = pages->fontMetrics().horizontalAdvance(pages->item(i)->text());
                QVERIFY2(pages->width() >= text + 2 * pages->spacing(),
                         qPrintable(locale + QLatin1Char(' ') + pages->item(i)->text()));
            }

            // The shipped categories in the user's language, every template
            // entry of each in full.
            DocPropertiesWidget stock;
            auto *categories = stock.findChild<QComboBox *>(QStringLiteral("category"));
            auto *templates = stock.findChild<QListWidget *>(QStringLiteral("templates"));
            QVERIFY(categories->count() > 3);
            const QString shipping = QCoreApplication::translate("DocPropertiesWidget", "Shipping labels");
            QVERIFY2(categories->findText(shipping) > 0, qPrintable(locale + QLatin1Char(' ') + shipping));
            QCOMPARE(shipping == QLatin1String("Shipping labels"), locale == QLatin1String("en_US"));
            for (int c = 0; c < categories->count(); ++c) {
                categories->setCurrentIndex(c);
                QVERIFY(templates->minimumWidth() >= templates->sizeHintForColumn(0));
            }
        }
        QCoreApplication::removeTranslator(&translation);
    }
}

int main(int argc, char *argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    TxApp app(argc, argv);
    startup::setApplicationIdentity();
    app.initialize();
    TestPreferences t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_preferences.moc"
