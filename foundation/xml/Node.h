// A small XML element model: a name, ordered attributes (text runs kept as attributes
// with an empty name) and child elements. Parsed from UTF-16 text or UTF-8 bytes, written
// back as compact UTF-8 text, loaded from and saved to files.
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/thread/Pool.h"
#include "foundation/xml/Attributes.h"

namespace s::str::strbuffer {
class StrBuffer;
}
namespace s::io {
class IInputStream;
class IOutputStream;
}  // namespace s::io
namespace s::file {
class IPath;
}

namespace s::xml {

class Node;

// The element interface.
class IXml : public base::IObject {
public:
    virtual uint32_t getChildCount() const = 0;
    virtual void clear() = 0;
    virtual void dump(const wchar_t* indent) const = 0;
    virtual const wchar_t* parse(const wchar_t* text) = 0;
    virtual bool parseUtf8(const col::_array::ArrayU08* bytes) = 0;
    virtual const wchar_t* getName() const = 0;
    virtual bool setName(const wchar_t* name, int32_t length = -1) = 0;
    virtual bool nameEquals(const wchar_t* name, int32_t length = -1) const = 0;
    virtual bool isComment() const = 0;
    virtual Node* getChildAt(uint32_t index) const = 0;
    virtual Node* addChild(const wchar_t* name, int32_t length = -1) = 0;
    virtual Node* appendChild(Node* node) = 0;
    virtual void removeChildAt(uint32_t index) = 0;
    virtual bool findChild(const wchar_t* name, int32_t length, uint32_t* index) const = 0;
    virtual Node* getChild(const wchar_t* name, int32_t length = -1) const = 0;

    virtual bool setUInt64(const wchar_t* name, uint64_t value) = 0;
    virtual bool setUInt32(const wchar_t* name, uint32_t value) = 0;
    virtual bool setUInt16(const wchar_t* name, uint16_t value) = 0;
    virtual bool setUInt8(const wchar_t* name, uint8_t value) = 0;
    virtual bool setInt64(const wchar_t* name, int64_t value) = 0;
    virtual bool setInt32(const wchar_t* name, int32_t value) = 0;
    virtual bool setInt16(const wchar_t* name, int16_t value) = 0;
    virtual bool setInt8(const wchar_t* name, int8_t value) = 0;
    virtual bool setFloat(const wchar_t* name, float value) = 0;
    virtual bool setDouble(const wchar_t* name, double value) = 0;
    virtual bool setString(const wchar_t* name, const wchar_t* text) = 0;
    virtual bool setHex64Array(const wchar_t* name, const uint64_t* values, uint32_t count) = 0;
    virtual bool setHex32Array(const wchar_t* name, const uint32_t* values, uint32_t count) = 0;
    virtual bool setHex16Array(const wchar_t* name, const uint16_t* values, uint32_t count) = 0;
    virtual bool setHex8Array(const wchar_t* name, const uint8_t* values, uint32_t count) = 0;
    virtual bool setHex64AsWords(const wchar_t* name, const uint64_t* values, uint32_t count) = 0;

    virtual const wchar_t* getString(const wchar_t* name, const wchar_t* def) const = 0;
    virtual bool getBool(const wchar_t* name, bool def) const = 0;
    virtual int8_t getInt8(const wchar_t* name, int8_t def) const = 0;
    virtual int16_t getInt16(const wchar_t* name, int16_t def) const = 0;
    virtual int32_t getInt32(const wchar_t* name, int32_t def) const = 0;
    virtual int64_t getInt64(const wchar_t* name, int64_t def) const = 0;
    virtual uint8_t getUInt8(const wchar_t* name, uint8_t def) const = 0;
    virtual uint16_t getUInt16(const wchar_t* name, uint16_t def) const = 0;
    virtual uint32_t getUInt32(const wchar_t* name, uint32_t def) const = 0;
    virtual uint64_t getUInt64(const wchar_t* name, uint64_t def) const = 0;
    virtual str::strbuffer::StrBuffer* copyValueTo(str::strbuffer::StrBuffer* out, const wchar_t* name,
                                                   const wchar_t* def, bool append) const = 0;

    virtual str::strbuffer::StrBuffer* toXml(str::strbuffer::StrBuffer* out, bool append) const = 0;
    virtual col::_array::ArrayU08* toUtf8(col::_array::ArrayU08* bytes, bool append) const = 0;
    virtual Attributes* getAttributes() = 0;
    virtual bool loadFile(const wchar_t* path) = 0;
    virtual bool saveFile(const wchar_t* path) const = 0;
};

class Node : public IXml, public thread::IPoolable {
    S_POOLED(Node, L"s_xml_Node")
public:
    // Deepest element nesting the parser accepts.
    static constexpr int kMaxDepth = 1000;

    Node();
    ~Node() override;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    uint32_t getChildCount() const override { return children_.count(); }
    // Frees the name and gives every attribute record and child back to its pool.
    void clear() override;
    void reset() override { clear(); }
    // Sends an outline of the element to the debugger output.
    void dump(const wchar_t* indent) const override;

    // Parses the first element of text (after any byte-order mark, XML declaration,
    // processing instructions, comments and document type declaration) into this node:
    // the name is replaced, attributes and children are added. Returns the position
    // just after the element; null when the text holds no element or is malformed, and
    // the node is then unchanged.
    const wchar_t* parse(const wchar_t* text) override;
    // Decodes UTF-8 (with or without byte-order mark) and parses it; false on failure.
    bool parseUtf8(const col::_array::ArrayU08* bytes) override;

    const wchar_t* getName() const override { return name_; }
    // Replaces the name with a copy; refused (false, name unchanged) unless it is a
    // valid name (isValidName). length -1: up to the NUL.
    bool setName(const wchar_t* name, int32_t length = -1) override;
    // length -1: the whole name equals text ignoring case. Otherwise the name is exactly
    // the first length characters of text; a node without a name equals nothing.
    bool nameEquals(const wchar_t* name, int32_t length = -1) const override;
    bool isComment() const override { return name_ && name_[0] == L'!'; }

    Node* getChildAt(uint32_t index) const override { return children_.at<Node>(index); }
    // A new node with that name, appended; null when the name is refused.
    Node* addChild(const wchar_t* name, int32_t length = -1) override;
    // Appends a node the caller made; the node now belongs to this one.
    Node* appendChild(Node* node) override;
    void removeChildAt(uint32_t index) override { children_.removeAtAndRelease(index); }
    bool findChild(const wchar_t* name, int32_t length, uint32_t* index) const override;
    Node* getChild(const wchar_t* name, int32_t length = -1) const override;

    bool setUInt64(const wchar_t* name, uint64_t value) override { return attrs_.setInt64(name, int64_t(value)); }
    bool setUInt32(const wchar_t* name, uint32_t value) override { return attrs_.setUInt32(name, value); }
    bool setUInt16(const wchar_t* name, uint16_t value) override { return attrs_.setUInt16(name, value); }
    bool setUInt8(const wchar_t* name, uint8_t value) override { return attrs_.setUInt8(name, value); }
    bool setInt64(const wchar_t* name, int64_t value) override { return attrs_.setInt64(name, value); }
    bool setInt32(const wchar_t* name, int32_t value) override { return attrs_.setInt32(name, value); }
    bool setInt16(const wchar_t* name, int16_t value) override { return attrs_.setInt16(name, value); }
    bool setInt8(const wchar_t* name, int8_t value) override { return attrs_.setInt8(name, value); }
    bool setFloat(const wchar_t* name, float value) override { return attrs_.setFloat(name, value); }
    bool setDouble(const wchar_t* name, double value) override { return attrs_.setDouble(name, value); }
    bool setString(const wchar_t* name, const wchar_t* text) override { return attrs_.setString(name, text); }
    bool setHex64Array(const wchar_t* name, const uint64_t* v, uint32_t n) override {
        return attrs_.setHex64Array(name, v, n);
    }
    bool setHex32Array(const wchar_t* name, const uint32_t* v, uint32_t n) override {
        return attrs_.setHex32Array(name, v, n);
    }
    bool setHex16Array(const wchar_t* name, const uint16_t* v, uint32_t n) override {
        return attrs_.setHex16Array(name, v, n);
    }
    bool setHex8Array(const wchar_t* name, const uint8_t* v, uint32_t n) override {
        return attrs_.setHex8Array(name, v, n);
    }
    bool setHex64AsWords(const wchar_t* name, const uint64_t* v, uint32_t n) override {
        return attrs_.setHex64AsWords(name, v, n);
    }

    const wchar_t* getString(const wchar_t* name, const wchar_t* def) const override {
        return attrs_.getString(name, def);
    }
    bool getBool(const wchar_t* name, bool def) const override { return attrs_.getBool(name, def); }
    int8_t getInt8(const wchar_t* name, int8_t def) const override { return int8_t(attrs_.getInt32(name, def)); }
    int16_t getInt16(const wchar_t* name, int16_t def) const override { return int16_t(attrs_.getInt32(name, def)); }
    int32_t getInt32(const wchar_t* name, int32_t def) const override { return attrs_.getInt32(name, def); }
    int64_t getInt64(const wchar_t* name, int64_t def) const override { return attrs_.getInt64(name, def); }
    uint8_t getUInt8(const wchar_t* name, uint8_t def) const override { return uint8_t(attrs_.getUInt32(name, def)); }
    uint16_t getUInt16(const wchar_t* name, uint16_t def) const override {
        return uint16_t(attrs_.getUInt32(name, def));
    }
    uint32_t getUInt32(const wchar_t* name, uint32_t def) const override { return attrs_.getUInt32(name, def); }
    uint64_t getUInt64(const wchar_t* name, uint64_t def) const override {
        return uint64_t(attrs_.getInt64(name, int64_t(def)));
    }
    str::strbuffer::StrBuffer* copyValueTo(str::strbuffer::StrBuffer* out, const wchar_t* name, const wchar_t* def,
                                           bool append) const override {
        return attrs_.copyValueTo(out, name, def, append);
    }

    // Writes the element as compact text: no declaration, indentation or line breaks; the
    // first text run only; empty elements as a start and an end tag. out null: a new pooled
    // string; append false: out is emptied first. Null (and out untouched) when an element
    // of the tree has no name.
    str::strbuffer::StrBuffer* toXml(str::strbuffer::StrBuffer* out, bool append) const override;
    // toXml as UTF-8 bytes (no byte-order mark, no counted NUL). Null on failure.
    col::_array::ArrayU08* toUtf8(col::_array::ArrayU08* bytes, bool append) const override;
    Attributes* getAttributes() override { return &attrs_; }
    const Attributes* getAttributes() const { return &attrs_; }

    // Reads the whole file and parses it; false (node unchanged) when the file is missing,
    // unreadable or malformed.
    bool loadFile(const wchar_t* path) override;
    // Writes the document to a new file beside the target (creating missing folders),
    // then puts it in place of the target in one step. False on any failure, and the
    // previous file is then left as it was.
    bool saveFile(const wchar_t* path) const override;
    // The same through a path object (its long form reaches long paths): the file is
    // read whole, or written completely beside the target and then put in its place.
    // Defined with the file streams, in platform/file/XmlPath.cpp.
    bool loadPath(file::IPath* path);
    bool savePath(file::IPath* path) const;
    // Reads the rest of the stream and parses it.
    bool loadStream(io::IInputStream* in);
    // Writes toUtf8 to the stream.
    bool saveStream(io::IOutputStream* out) const;

private:
    const wchar_t* parseElement(const wchar_t* p, int depth);
    // Every element of the tree has a name.
    bool isWritable() const;
    void writeTo(str::strbuffer::StrBuffer* out) const;
    void dumpTo(str::strbuffer::StrBuffer* line, const wchar_t* indent) const;
    // Moves the name, attributes and children of other into this node.
    void takeContent(Node* other);

    col::_array::ArrayP children_;
    Attributes attrs_;
    wchar_t* name_ = nullptr;
    int32_t nameLength_ = 0;
};

}  // namespace s::xml
