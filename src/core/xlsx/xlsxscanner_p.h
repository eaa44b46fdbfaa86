#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QTextDecoder>
#include <memory>
#include <vector>

namespace QXlsx {
namespace detail {

// A pull reader for the large parts of a workbook (the cells and the shared
// strings), which a general XML reader spends most of its time on: it works
// on the UTF-8 bytes as they come, resolves entities only in the text and
// attribute values asked for, and checks that every end tag closes the
// element open. Names are compared without their namespace prefix.
class XmlScanner
{
public:
    enum Token
    {
        StartElement,
        EndElement,
        Text,
        End,
        Invalid
    };

    explicit XmlScanner(QIODevice *device);
    ~XmlScanner();
    XmlScanner(const XmlScanner &) = delete;
    XmlScanner &operator=(const XmlScanner &) = delete;

    Token next();
    Token token() const { return m_token; }
    bool hasError() const { return m_token == Invalid; }
    bool atEnd() const { return m_token == End || m_token == Invalid; }

    // The local name of the element just started or ended.
    bool isNamed(const char *localName) const;
    bool isStart(const char *localName) const
    {
        return m_token == StartElement && isNamed(localName);
    }
    bool isEnd(const char *localName) const { return m_token == EndElement && isNamed(localName); }

    // The value of the started element's attribute of that local name,
    // entities resolved, in place of *value (whose room is kept); false
    // when it has none (or its value is faulty).
    bool attribute(const char *localName, QByteArray *value) const;

    // Appends the text of the element just started, to its end tag, which
    // becomes the current token; an element inside makes the part faulty.
    void readElementText(QByteArray *text);
    // Reads past the end of the element just started.
    void skipElement();

private:
    struct Range
    {
        int at;
        int length;
    };
    enum class Step
    {
        Done,
        Skipped,
        More,
        Fault
    };

    bool fill();
    void detectEncoding();
    Step scan();
    Step scanTag(int from, int end);
    bool appendText(Range raw, bool cdata, QByteArray *out) const;
    Token fail();

    std::unique_ptr<QIODevice> m_converted;
    QIODevice *m_device;
    QByteArray m_buffer;
    int m_pos = 0;
    bool m_eof = false;
    bool m_started = false;
    Token m_token = Text;
    // Of the current token, in m_buffer.
    Range m_name{0, 0};
    Range m_text{0, 0};
    bool m_cdata = false;
    bool m_pendingEnd = false;
    bool m_sawRoot = false;
    std::vector<Range> m_attributes; // name, value pairs
    std::vector<QByteArray> m_open;
};

} // namespace detail
} // namespace QXlsx
