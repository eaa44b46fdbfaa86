#include "xlsxscanner_p.h"

#include <QTextCodec>
#include <cstring>

namespace QXlsx {
namespace detail {

namespace {

constexpr int Chunk = 256 * 1024;
// Deeper than any workbook part goes; a part nesting further is faulty.
constexpr size_t MaxDepth = 256;
constexpr size_t MaxAttributes = 512;
// The device bounds a run between two tags far below this already.
constexpr int MaxToken = 16 * 1024 * 1024;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool endsName(char c)
{
    return isSpace(c) || c == '/' || c == '>' || c == '=' || c == '<';
}

int skipName(const char *data, int i, int end)
{
    while (i < end && !endsName(data[i])) {
        ++i;
    }
    return i;
}

int skipSpaces(const char *data, int i, int end)
{
    while (i < end && isSpace(data[i])) {
        ++i;
    }
    return i;
}

// The name is the wanted one, with or without a namespace prefix.
bool sameLocalName(const char *name, int length, const char *wanted)
{
    const int n = int(std::strlen(wanted));
    if (length < n || std::memcmp(name + length - n, wanted, size_t(n)) != 0) {
        return false;
    }
    if (length == n) {
        return true;
    }
    // Only a prefix may come before it, and only one.
    return name[length - n - 1] == ':' && !std::memchr(name, ':', size_t(length - n - 1));
}

void appendUtf8(uint code, QByteArray *out)
{
    if (code < 0x80) {
        out->append(char(code));
    } else if (code < 0x800) {
        out->append(char(0xC0 | (code >> 6)));
        out->append(char(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out->append(char(0xE0 | (code >> 12)));
        out->append(char(0x80 | ((code >> 6) & 0x3F)));
        out->append(char(0x80 | (code & 0x3F)));
    } else {
        out->append(char(0xF0 | (code >> 18)));
        out->append(char(0x80 | ((code >> 12) & 0x3F)));
        out->append(char(0x80 | ((code >> 6) & 0x3F)));
        out->append(char(0x80 | (code & 0x3F)));
    }
}

// The bytes of a part in another encoding than UTF-8, as UTF-8.
class Utf8Device : public QIODevice
{
public:
    Utf8Device(QIODevice *inner, QTextCodec *codec, const QByteArray &head)
        : m_inner(inner), m_decoder(codec->makeDecoder())
    {
        m_out = m_decoder->toUnicode(head).toUtf8();
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        while (m_out.size() - m_at < 1 && !m_done) {
            QByteArray raw(Chunk, Qt::Uninitialized);
            const qint64 n = m_inner->read(raw.data(), raw.size());
            if (n <= 0) {
                m_done = true;
                break;
            }
            raw.truncate(int(n));
            m_out = m_decoder->toUnicode(raw).toUtf8();
            m_at = 0;
        }
        const qint64 n = qMin(maxSize, qint64(m_out.size() - m_at));
        if (n <= 0) {
            return -1;
        }
        std::memcpy(data, m_out.constData() + m_at, size_t(n));
        m_at += int(n);
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QIODevice *m_inner;
    std::unique_ptr<QTextDecoder> m_decoder;
    QByteArray m_out;
    int m_at = 0;
    bool m_done = false;
};

// The encoding a part names in its declaration; empty when it names none.
QByteArray declaredEncoding(const QByteArray &head)
{
    if (!head.startsWith("<?xml")) {
        return QByteArray();
    }
    const int end = head.indexOf("?>");
    const QByteArray declaration = head.left(end < 0 ? 0 : end);
    const int at = declaration.indexOf("encoding");
    if (at < 0) {
        return QByteArray();
    }
    int i = at + 8;
    while (i < declaration.size() && (isSpace(declaration.at(i)) || declaration.at(i) == '=')) {
        ++i;
    }
    if (i >= declaration.size() || (declaration.at(i) != '"' && declaration.at(i) != '\'')) {
        return QByteArray();
    }
    const int close = declaration.indexOf(declaration.at(i), i + 1);
    return close < 0 ? QByteArray() : declaration.mid(i + 1, close - i - 1).toLower();
}

} // namespace

XmlScanner::XmlScanner(QIODevice *device) : m_device(device)
{
    m_attributes.reserve(16);
    m_open.reserve(16);
}

XmlScanner::~XmlScanner() = default;

bool XmlScanner::fill()
{
    if (m_eof || !m_device) {
        m_eof = true;
        return false;
    }
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    const int old = m_buffer.size();
    m_buffer.resize(old + Chunk);
    const qint64 n = m_device->read(m_buffer.data() + old, Chunk);
    m_buffer.resize(old + int(qMax<qint64>(0, n)));
    if (n <= 0) {
        m_eof = true;
        return false;
    }
    if (!m_started) {
        m_started = true;
        detectEncoding();
        if (m_buffer.isEmpty()) {
            return fill();
        }
    }
    return true;
}

void XmlScanner::detectEncoding()
{
    // What comes first says how the part is written: a byte order mark, or
    // the declaration's encoding.
    while (m_buffer.size() < 4) {
        char more[4];
        const qint64 n = m_device->read(more, 4 - m_buffer.size());
        if (n <= 0) {
            break;
        }
        m_buffer.append(more, int(n));
    }
    QTextCodec *codec = nullptr;
    const QByteArray head = m_buffer.left(256);
    if (head.startsWith("\xEF\xBB\xBF")) {
        m_buffer.remove(0, 3);
    } else if (head.startsWith("\xFE\xFF") || head.startsWith(QByteArray("\0<", 2))) {
        codec = QTextCodec::codecForName("UTF-16BE");
    } else if (head.startsWith("\xFF\xFE") || head.startsWith(QByteArray("<\0", 2))) {
        codec = QTextCodec::codecForName("UTF-16LE");
    } else {
        const QByteArray named = declaredEncoding(head);
        if (!named.isEmpty() && named != "utf-8" && named != "utf8") {
            codec = QTextCodec::codecForName(named);
            if (!codec) {
                m_eof = true; // an encoding nobody knows: nothing can be read
                m_buffer.clear();
                return;
            }
        }
    }
    if (codec) {
        if (head.startsWith("\xFE\xFF") || head.startsWith("\xFF\xFE")) {
            m_buffer.remove(0, 2); // the mark is no character of the text
        }
        m_converted = std::make_unique<Utf8Device>(m_device, codec, m_buffer);
        m_device = m_converted.get();
        m_buffer.clear();
    }
}

XmlScanner::Token XmlScanner::fail()
{
    m_token = Invalid;
    return m_token;
}

XmlScanner::Token XmlScanner::next()
{
    if (m_token == Invalid || m_token == End) {
        return m_token;
    }
    if (m_pendingEnd) {
        m_pendingEnd = false;
        m_token = EndElement;
        return m_token;
    }
    for (;;) {
        const Step step = scan();
        if (step == Step::Done) {
            return m_token;
        }
        if (step == Step::Fault) {
            return fail();
        }
        // The token runs past what was read: read on, from where it began.
        if (m_buffer.size() - m_pos > MaxToken) {
            return fail();
        }
        if (!fill()) {
            if (m_pos < m_buffer.size()) {
                // Text at the end outside the elements is whitespace or nothing.
                bool blank = true;
                for (int i = m_pos; i < m_buffer.size() && blank; ++i) {
                    blank = isSpace(m_buffer.at(i));
                }
                if (!blank || m_buffer.at(m_pos) == '<') {
                    return fail();
                }
                m_pos = m_buffer.size();
            }
            if (!m_open.empty() || !m_sawRoot) {
                return fail();
            }
            m_token = End;
            return m_token;
        }
    }
}

XmlScanner::Step XmlScanner::scan()
{
    for (;;) {
        const char *data = m_buffer.constData();
        const int end = m_buffer.size();
        if (m_pos >= end) {
            return Step::More;
        }
        if (data[m_pos] == '<') {
            const Step step = scanTag(m_pos, end);
            if (step != Step::Skipped) {
                return step;
            }
            continue;
        }
        const void *lt = std::memchr(data + m_pos, '<', size_t(end - m_pos));
        if (!lt) {
            return Step::More;
        }
        const int stop = int(static_cast<const char *>(lt) - data);
        m_text = {m_pos, stop - m_pos};
        m_cdata = false;
        m_pos = stop;
        if (!m_open.empty()) {
            m_token = Text;
            return Step::Done;
        }
        // Before the root or after it: only blanks.
        for (int i = m_text.at; i < stop; ++i) {
            if (!isSpace(data[i])) {
                return Step::Fault;
            }
        }
    }
}

XmlScanner::Step XmlScanner::scanTag(int from, int end)
{
    const char *data = m_buffer.constData();
    auto find = [&](int at, const char *what) -> int {
        const int n = int(std::strlen(what));
        for (int i = at; i + n <= end; ++i) {
            if (data[i] == what[0] && std::memcmp(data + i, what, size_t(n)) == 0) {
                return i;
            }
        }
        return -1;
    };
    if (from + 1 >= end) {
        return Step::More;
    }
    const char second = data[from + 1];
    if (second == '?') {
        const int close = find(from + 2, "?>");
        if (close < 0) {
            return Step::More;
        }
        m_pos = close + 2;
        return Step::Skipped;
    }
    if (second == '!') {
        if (end - from < 9) {
            return Step::More;
        }
        if (std::memcmp(data + from, "<!--", 4) == 0) {
            const int close = find(from + 4, "-->");
            if (close < 0) {
                return Step::More;
            }
            m_pos = close + 3;
            return Step::Skipped;
        }
        if (std::memcmp(data + from, "<![CDATA[", 9) == 0 && !m_open.empty()) {
            const int close = find(from + 9, "]]>");
            if (close < 0) {
                return Step::More;
            }
            m_text = {from + 9, close - from - 9};
            m_cdata = true;
            m_pos = close + 3;
            m_token = Text;
            return Step::Done;
        }
        // Document type declarations could define entities that grow
        // without end: they are not accepted.
        return Step::Fault;
    }
    if (second == '/') {
        const int nameEnd = skipName(data, from + 2, end);
        const int i = skipSpaces(data, nameEnd, end);
        if (i >= end) {
            return Step::More;
        }
        if (data[i] != '>' || nameEnd == from + 2 || m_open.empty()) {
            return Step::Fault;
        }
        const QByteArray &open = m_open.back();
        if (open.size() != nameEnd - from - 2 ||
            std::memcmp(open.constData(), data + from + 2, size_t(open.size())) != 0) {
            return Step::Fault;
        }
        m_open.pop_back();
        m_name = {from + 2, nameEnd - from - 2};
        m_pos = i + 1;
        m_token = EndElement;
        return Step::Done;
    }

    int i = skipName(data, from + 1, end);
    if (i >= end) {
        return Step::More;
    }
    if (i == from + 1) {
        return Step::Fault;
    }
    const Range name{from + 1, i - from - 1};
    m_attributes.clear();
    bool selfClosing = false;
    for (;;) {
        i = skipSpaces(data, i, end);
        if (i >= end) {
            return Step::More;
        }
        if (data[i] == '>') {
            ++i;
            break;
        }
        if (data[i] == '/') {
            if (i + 1 >= end) {
                return Step::More;
            }
            if (data[i + 1] != '>') {
                return Step::Fault;
            }
            selfClosing = true;
            i += 2;
            break;
        }
        const int attrName = i;
        const int attrNameEnd = skipName(data, i, end);
        i = skipSpaces(data, attrNameEnd, end);
        if (i >= end) {
            return Step::More;
        }
        if (data[i] != '=' || attrNameEnd == attrName) {
            return Step::Fault;
        }
        i = skipSpaces(data, i + 1, end);
        if (i >= end) {
            return Step::More;
        }
        const char quote = data[i];
        if (quote != '"' && quote != '\'') {
            return Step::Fault;
        }
        const void *close = std::memchr(data + i + 1, quote, size_t(end - i - 1));
        if (!close) {
            return Step::More;
        }
        const int valueEnd = int(static_cast<const char *>(close) - data);
        if (std::memchr(data + i + 1, '<', size_t(valueEnd - i - 1))) {
            return Step::Fault;
        }
        if (m_attributes.size() >= 2 * MaxAttributes) {
            return Step::Fault;
        }
        m_attributes.push_back({attrName, attrNameEnd - attrName});
        m_attributes.push_back({i + 1, valueEnd - i - 1});
        i = valueEnd + 1;
        if (i < end && !isSpace(data[i]) && data[i] != '>' && data[i] != '/') {
            return Step::Fault;
        }
    }
    if (m_open.size() >= MaxDepth) {
        return Step::Fault;
    }
    if (m_open.empty() && m_sawRoot) {
        return Step::Fault; // a second root
    }
    m_sawRoot = true;
    m_name = name;
    m_pendingEnd = selfClosing;
    if (!selfClosing) {
        m_open.emplace_back(data + name.at, name.length);
    }
    m_pos = i;
    m_token = StartElement;
    return Step::Done;
}

bool XmlScanner::isNamed(const char *localName) const
{
    return sameLocalName(m_buffer.constData() + m_name.at, m_name.length, localName);
}

bool XmlScanner::appendText(Range raw, bool cdata, QByteArray *out) const
{
    const char *data = m_buffer.constData() + raw.at;
    if (cdata) {
        out->append(data, raw.length);
        return true;
    }
    int i = 0;
    while (i < raw.length) {
        const void *amp = std::memchr(data + i, '&', size_t(raw.length - i));
        const int stop = amp ? int(static_cast<const char *>(amp) - data) : raw.length;
        out->append(data + i, stop - i);
        if (!amp) {
            break;
        }
        const void *semi = std::memchr(data + stop, ';', size_t(qMin(raw.length - stop, 12)));
        if (!semi) {
            return false;
        }
        const int close = int(static_cast<const char *>(semi) - data);
        const QByteArray entity(data + stop + 1, close - stop - 1);
        if (entity == "lt") {
            out->append('<');
        } else if (entity == "gt") {
            out->append('>');
        } else if (entity == "amp") {
            out->append('&');
        } else if (entity == "quot") {
            out->append('"');
        } else if (entity == "apos") {
            out->append('\'');
        } else if (entity.startsWith('#') && entity.size() > 1) {
            bool ok = false;
            const uint code =
                entity.at(1) == 'x' ? entity.mid(2).toUInt(&ok, 16) : entity.mid(1).toUInt(&ok, 10);
            // Characters XML cannot carry cannot be referred to either.
            const bool allowed =
                code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
                (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
            if (!ok || !allowed || entity.at(1) == '+' || entity.at(1) == '-') {
                return false;
            }
            appendUtf8(code, out);
        } else {
            return false; // no other entity is declared
        }
        i = close + 1;
    }
    return true;
}

bool XmlScanner::attribute(const char *localName, QByteArray *value) const
{
    if (m_token != StartElement) {
        return false;
    }
    const char *data = m_buffer.constData();
    for (size_t k = 0; k + 1 < m_attributes.size(); k += 2) {
        const Range n = m_attributes[k];
        // Namespace declarations are no attributes of the element.
        if (n.length >= 5 && std::memcmp(data + n.at, "xmlns", 5) == 0 &&
            (n.length == 5 || data[n.at + 5] == ':')) {
            continue;
        }
        if (sameLocalName(data + n.at, n.length, localName)) {
            value->resize(0);
            return appendText(m_attributes[k + 1], false, value);
        }
    }
    return false;
}

void XmlScanner::readElementText(QByteArray *text)
{
    if (m_token != StartElement) {
        fail();
    }
    while (!atEnd()) {
        switch (next()) {
        case Text:
            if (!appendText(m_text, m_cdata, text)) {
                fail();
            }
            break;
        case EndElement:
            return;
        case StartElement:
            fail();
            break;
        default:
            break;
        }
    }
}

void XmlScanner::skipElement()
{
    if (m_token != StartElement) {
        return;
    }
    int depth = 1;
    while (depth > 0 && !atEnd()) {
        const Token t = next();
        if (t == StartElement) {
            ++depth;
        } else if (t == EndElement) {
            --depth;
        }
    }
}

} // namespace detail
} // namespace QXlsx
