#include "testutil.h"

#include "datasourcemanager.h"
#include "printlanguage.h"
#include "services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace {

void poll(std::function<void(QWidget *)> answer, std::shared_ptr<QElapsedTimer> clock,
          int timeoutMs)
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal) {
        answer(modal);
        return;
    }
    if (clock->elapsed() > timeoutMs)
        return;
    QTimer::singleShot(10, [answer, clock, timeoutMs] { poll(answer, clock, timeoutMs); });
}

} // namespace

void testutil::answerNextModal(std::function<void(QWidget *)> answer, int timeoutMs)
{
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QTimer::singleShot(0, [answer, clock, timeoutMs] { poll(answer, clock, timeoutMs); });
}

void testutil::acceptNextDialog()
{
    answerNextModal([](QWidget *w) {
        if (auto *dialog = qobject_cast<QDialog *>(w))
            dialog->accept();
        else
            w->close();
    });
}

void testutil::answerNextMessageBox(int button, QString *title, QString *text)
{
    answerNextModal([button, title, text](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        if (!box) {
            w->close();
            return;
        }
        if (title)
            *title = box->windowTitle();
        if (text)
            *text = box->text();
        QAbstractButton *b = box->button(QMessageBox::StandardButton(button));
        if (b)
            b->click();
        else
            box->done(button);
    });
}

QString testutil::hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

QString testutil::dataFile(const QString &name)
{
    return QDir(QStringLiteral(TAGORIX_TEST_DATA_DIR)).filePath(name);
}

testutil::MessageBoxCatcher::MessageBoxCatcher(int button) : answer(button)
{
    qApp->installEventFilter(this);
}

testutil::MessageBoxCatcher::~MessageBoxCatcher()
{
    qApp->removeEventFilter(this);
}

bool testutil::MessageBoxCatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        if (auto *box = qobject_cast<QMessageBox *>(watched)) {
            titles << box->windowTitle();
            texts << box->text();
            QPointer<QMessageBox> guard(box);
            const int button = answer;
            QTimer::singleShot(0, box, [guard, button] {
                if (guard)
                    guard->done(button);
            });
        }
    }
    return false;
}

void testutil::clearDataSources()
{
    DataSourceManager *manager = services::dataSourceManager();
    if (!manager)
        return;
    const QList<int> ids = manager->sources().keys();
    for (int id : ids)
        manager->removeSource(id);
}

int testutil::tagorix(const QStringList &args, const QByteArray &input, QString *err)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    p.start(QDir(QStringLiteral(TAGORIX_BIN_DIR)).filePath(QStringLiteral("tagorix")), args);
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    if (err)
        *err = QString::fromLocal8Bit(p.readAllStandardError());
    return p.exitCode();
}

void testutil::setPrinterLanguage(const QString &queue, int language)
{
    const auto chosen = printlanguage::Language(language);
    printlanguage::store(queue, chosen);
    const QString organization = QCoreApplication::organizationName();
    const QString application = QCoreApplication::applicationName();
    QCoreApplication::setOrganizationName(QStringLiteral("Norvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Tagorix"));
    printlanguage::store(queue, chosen);
    QCoreApplication::setOrganizationName(organization);
    QCoreApplication::setApplicationName(application);
}
