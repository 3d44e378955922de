#include "foundation/xml/Node.h"

#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <new>

#include "foundation/io/Stream.h"
#include "foundation/str/StrBuffer.h"
#include "foundation/xml/SafeFile.h"
#include "foundation/xml/XmlText.h"

using s::col::_array::ArrayU08;
using s::str::strbuffer::StrBuffer;

namespace s::xml {

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r'; }

const wchar_t* skipBlanks(const wchar_t* p) {
    while (isBlank(*p)) ++p;
    return p;
}

bool startsWith(const wchar_t* p, const wchar_t* literal) {
    for (; *literal; ++p, ++literal) {
        if (*p != *literal) return false;
    }
    return true;
}

// At p (a "<"): a comment, processing instruction (such as the XML declaration) or a
// declaration such as a document type. Sets skipped and returns the position after it,
// or null when the text ends inside it. Anything else: skipped false.
const wchar_t* skipMarkup(const wchar_t* p, bool& skipped) {
    skipped = true;
    if (startsWith(p, L"<!--")) {
        const wchar_t* e = std::wcsstr(p + 4, L"-->");
        return e ? e + 3 : nullptr;
    }
    if (startsWith(p, L"<?")) {
        const wchar_t* e = std::wcsstr(p + 2, L"?>");
        return e ? e + 2 : nullptr;
    }
    if (startsWith(p, L"<!") && !startsWith(p, L"<![CDATA[")) {
        // Up to the ">" that is not inside an internal subset "[...]" or quotes.
        int brackets = 0;
        wchar_t quote = 0;
        for (const wchar_t* q = p + 2; *q; ++q) {
            if (quote) {
                if (*q == quote) quote = 0;
            } else if (*q == L'"' || *q == L'\'') {
                quote = *q;
            } else if (*q == L'[') {
                ++brackets;
            } else if (*q == L']') {
                if (brackets > 0) --brackets;
            } else if (*q == L'>' && brackets == 0) {
                return q + 1;
            }
        }
        return nullptr;
    }
    skipped = false;
    return p;
}

wchar_t fold(wchar_t c) { return (c >= L'A' && c <= L'Z') ? wchar_t(c + 32) : c; }

}  // namespace

Node::Node() : children_(Node::pooler()) {}

Node::~Node() { clear(); }

void Node::clear() {
    std::free(name_);
    name_ = nullptr;
    nameLength_ = 0;
    attrs_.clear();
    children_.freeStorage();
}

bool Node::setName(const wchar_t* name, int32_t length) {
    if (!name) return false;
    uint32_t len = length < 0 ? uint32_t(std::wcslen(name)) : uint32_t(length);
    if (!isValidName(name, int32_t(len))) return false;
    wchar_t* copy = static_cast<wchar_t*>(std::malloc((size_t(len) + 1) * sizeof(wchar_t)));
    if (!copy) return false;
    std::wmemcpy(copy, name, len);
    copy[len] = 0;
    std::free(name_);
    name_ = copy;
    nameLength_ = int32_t(len);
    return true;
}

bool Node::nameEquals(const wchar_t* name, int32_t length) const {
    if (!name) return false;
    if (length < 0) {
        const wchar_t* mine = name_ ? name_ : L"";
        for (;; ++mine, ++name) {
            if (fold(*mine) != fold(*name)) return false;
            if (!*mine) return true;
        }
    }
    return name_ && nameLength_ == length && std::wmemcmp(name_, name, size_t(length)) == 0;
}

Node* Node::addChild(const wchar_t* name, int32_t length) {
    Node* child = create();
    if (!child) return nullptr;
    if (!child->setName(name, length) || !appendChild(child)) {
        child->release();
        return nullptr;
    }
    return child;
}

Node* Node::appendChild(Node* node) {
    if (!node || node == this) return nullptr;
    uint32_t before = children_.count();
    children_.push(node);
    return children_.count() > before ? node : nullptr;
}

bool Node::findChild(const wchar_t* name, int32_t length, uint32_t* index) const {
    uint32_t n = children_.count();
    for (uint32_t i = 0; i < n; ++i) {
        if (getChildAt(i)->nameEquals(name, length)) {
            if (index) *index = i;
            return true;
        }
    }
    return false;
}

Node* Node::getChild(const wchar_t* name, int32_t length) const {
    uint32_t i;
    return findChild(name, length, &i) ? getChildAt(i) : nullptr;
}

// ---------------------------------------------------------------- reading

const wchar_t* Node::parse(const wchar_t* text) {
    if (!text) return nullptr;
    // Prolog: anything before the first "<" (such as a byte-order mark), declarations,
    // processing instructions and comments.
    const wchar_t* p = text;
    for (;;) {
        p = std::wcschr(p, L'<');
        if (!p) return nullptr;
        bool skipped;
        const wchar_t* q = skipMarkup(p, skipped);
        if (!skipped) break;
        if (!q) return nullptr;
        p = q;
    }
    // Parse into a fresh node so that a failure leaves this one as it was.
    Node* fresh = create();
    if (!fresh) return nullptr;
    const wchar_t* end = fresh->parseElement(p, 1);
    if (end) takeContent(fresh);
    fresh->release();
    return end;
}

const wchar_t* Node::parseElement(const wchar_t* p, int depth) {
    p = skipBlanks(p + 1);
    const wchar_t* name = p;
    while (*p && !isBlank(*p) && *p != L'/' && *p != L'>') ++p;
    if (!setName(name, int32_t(p - name))) return nullptr;
    p = attrs_.parse(p);
    if (!p) return nullptr;
    if (*p == L'/') return p[1] == L'>' ? p + 2 : nullptr;
    if (*p != L'>') return nullptr;
    ++p;
    for (;;) {
        p = skipBlanks(p);
        if (*p && *p != L'<') {
            const wchar_t* run = p;
            while (*p && *p != L'<') ++p;
            if (!attrs_.addText(L"", 0, run, int32_t(p - run))) return nullptr;
        }
        if (!*p) return nullptr;  // cut off before the end tag
        if (p[1] == L'/') {
            // End tag: its name is not compared with the start tag's.
            const wchar_t* e = std::wcschr(p, L'>');
            return e ? e + 1 : nullptr;
        }
        if (startsWith(p, L"<![CDATA[")) {
            const wchar_t* e = std::wcsstr(p + 9, L"]]>");
            if (!e) return nullptr;
            StrBuffer* escaped = StrBuffer::create();
            if (!escaped) return nullptr;
            escapeText(escaped, p + 9, int32_t(e - (p + 9)));
            bool ok = attrs_.addText(L"", 0, escaped->data(), int32_t(escaped->length()));
            escaped->release();
            if (!ok) return nullptr;
            p = e + 3;
            continue;
        }
        bool skipped;
        const wchar_t* q = skipMarkup(p, skipped);
        if (skipped) {
            if (!q) return nullptr;
            p = q;
            continue;
        }
        if (depth >= kMaxDepth) return nullptr;
        Node* child = create();
        if (!child) return nullptr;
        q = child->parseElement(p, depth + 1);
        if (!q || !appendChild(child)) {
            child->release();
            return nullptr;
        }
        p = q;
    }
}

void Node::takeContent(Node* other) {
    std::free(name_);
    name_ = other->name_;
    nameLength_ = other->nameLength_;
    other->name_ = nullptr;
    other->nameLength_ = 0;
    auto move = [](col::_array::ArrayP& from, col::_array::ArrayP& to) {
        uint32_t n = from.count();
        for (uint32_t i = 0; i < n; ++i) {
            void* item = from.get(i);
            uint32_t before = to.count();
            to.push(item);
            if (to.count() == before) to.getDestroyer()->destroy(&item);
        }
        from.clear();
    };
    move(other->attrs_.items_, attrs_.items_);
    move(other->children_, children_);
}

bool Node::parseUtf8(const ArrayU08* bytes) {
    if (!bytes || bytes->count() == 0) return false;
    StrBuffer* text = StrBuffer::create();
    if (!text) return false;
    text->fromUtf8(bytes, false);
    bool ok = parse(text->text()) != nullptr;
    text->release();
    return ok;
}

// ---------------------------------------------------------------- writing

bool Node::isWritable() const {
    if (!name_) return false;
    uint32_t n = children_.count();
    for (uint32_t i = 0; i < n; ++i) {
        if (!getChildAt(i)->isWritable()) return false;
    }
    return true;
}

void Node::writeTo(StrBuffer* out) const {
    out->appendChar(L'<');
    out->append(name_, nameLength_);
    attrs_.write(out);
    out->appendChar(L'>');
    if (const XmlAttr* text = attrs_.find(L"")) out->append(text->value, text->valueLength);
    uint32_t n = children_.count();
    for (uint32_t i = 0; i < n; ++i) getChildAt(i)->writeTo(out);
    out->append(L"</", 2);
    out->append(name_, nameLength_);
    out->appendChar(L'>');
}

StrBuffer* Node::toXml(StrBuffer* out, bool append) const {
    // An element without a name cannot be written so that it reads back.
    if (!isWritable()) return nullptr;
    if (!out) {
        out = StrBuffer::create();
        if (!out) return nullptr;
    } else if (!append) {
        out->clear();
    }
    writeTo(out);
    return out;
}

ArrayU08* Node::toUtf8(ArrayU08* bytes, bool append) const {
    StrBuffer* text = toXml(nullptr, false);
    if (!text) return nullptr;
    ArrayU08* result = text->toUtf8(bytes, append);
    text->release();
    return result;
}

// ---------------------------------------------------------------- files and streams

bool Node::loadFile(const wchar_t* path) {
    ArrayU08* bytes = readWholeFile(path);
    if (!bytes) return false;
    bool ok = parseUtf8(bytes);
    bytes->release();
    return ok;
}

bool Node::saveFile(const wchar_t* path) const {
    if (!path || !*path) return false;
    ArrayU08* bytes = toUtf8(nullptr, false);
    if (!bytes) return false;
    bool ok = replaceFileSafely(path, bytes->items(), bytes->count());
    bytes->release();
    return ok;
}

bool Node::loadStream(io::IInputStream* in) {
    if (!in) return false;
    ArrayU08* bytes = ArrayU08::create();
    if (!bytes) return false;
    bool ok = true;
    for (;;) {
        uint32_t have = bytes->count();
        if (!bytes->setCount(have + 65536)) {
            ok = false;
            break;
        }
        uint32_t got = 0;
        bool more = in->read(bytes->items() + have, 65536, got);
        bytes->setCount(have + (more ? got : 0));
        if (!more) {
            ok = !in->hasError();
            break;
        }
        if (got == 0) {  // a stream that claims success without data would never end
            ok = false;
            break;
        }
    }
    ok = ok && parseUtf8(bytes);
    bytes->release();
    return ok;
}

bool Node::saveStream(io::IOutputStream* out) const {
    if (!out) return false;
    ArrayU08* bytes = toUtf8(nullptr, false);
    if (!bytes) return false;
    bool ok = io::IOutputStream::writeFully(out, bytes->items(), bytes->count()) && out->flush();
    bytes->release();
    return ok;
}

// ---------------------------------------------------------------- diagnostics

void Node::dump(const wchar_t* indent) const {
    StrBuffer* line = StrBuffer::create();
    if (!line) return;
    dumpTo(line, indent ? indent : L"");
    line->release();
}

void Node::dumpTo(StrBuffer* line, const wchar_t* indent) const {
    line->setText(indent);
    line->append(name_ ? name_ : L"(unnamed)");
    line->appendChar(L'\n');
    OutputDebugStringW(line->text());
    uint32_t n = attrs_.count();
    for (uint32_t i = 0; i < n; ++i) {
        const XmlAttr* a = attrs_.at(i);
        line->setText(indent);
        line->append(L"\t@", 2);
        line->append(a->name, a->nameLength);
        line->append(L" = ", 3);
        line->append(a->value, a->valueLength);
        line->appendChar(L'\n');
        OutputDebugStringW(line->text());
    }
    StrBuffer* deeper = StrBuffer::fromConcat(indent, L"\t");
    if (!deeper) return;
    n = children_.count();
    for (uint32_t i = 0; i < n; ++i) getChildAt(i)->dumpTo(line, deeper->text());
    deeper->release();
}

}  // namespace s::xml
