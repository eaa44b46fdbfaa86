#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace testutil {

// Runs `answer` on the first modal widget that appears (polling the event
// loop), so a test never blocks on a message box or dialog. Returns at once;
// the answer happens while the code under test runs its own exec().
void answerNextModal(std::function<void(QWidget *)> answer, int timeoutMs = 10000);

// Accepts the next modal dialog as it opens (the new-label dialog, for instance).
void acceptNextDialog();

// Closes the next QMessageBox with the given standard button and stores its
// title and text.
void answerNextMessageBox(int button, QString *title = nullptr, QString *text = nullptr);

// While it lives, answers every message box that opens with its default (or
// escape) button and records its title and text, so a test can count them.
class MessageBoxCatcher : public QObject
{
public:
    explicit MessageBoxCatcher(int button = 0x00000400 /* QMessageBox::Ok */);
    ~MessageBoxCatcher() override;
    QStringList titles;
    QStringList texts;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int answer;
};

// Readable hex of a byte array, for failure messages.
QString hex(const QByteArray &bytes);

// Removes every data source of the application's manager.
void clearDataSources();

// The program itself as a script starts it: no display, no platform chosen,
// `input` on standard input. Its exit code (-1 when it did not end within two
// minutes); standard error into *err.
int tagorix(const QStringList &args, const QByteArray &input = QByteArray(),
            QString *err = nullptr);

// Path of a file in tests/data.
QString dataFile(const QString &name);

// Stores how the program (its own settings, as a started `tagorix` reads
// them) and this process speak to a queue: 0 automatic, 1 ZPL II, 2 the driver.
void setPrinterLanguage(const QString &queue, int language);

} // namespace testutil
