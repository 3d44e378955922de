// The attributes of one XML element, in insertion order. Text runs of the element are
// kept here too, as attributes with an empty name. Values are stored in their escaped
// (file) form; typed setters append (a name may occur more than once) and getters answer
// the first attribute whose name matches ignoring case.
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/xml/AttrFactory.h"

namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::xml {

class Node;

class Attributes : public base::IObject {
    S_CLASS_NAME(L"s_xml_Attributes")
public:
    Attributes();
    ~Attributes() override;
    Attributes(const Attributes&) = delete;
    Attributes& operator=(const Attributes&) = delete;
    base::IObject* newInstance() const override;

    uint32_t count() const { return items_.count(); }
    const XmlAttr* at(uint32_t i) const { return items_.at<XmlAttr>(i); }
    // Index of the first attribute named name (ignoring case; "" finds the first text run),
    // -1 when there is none.
    int32_t indexOf(const wchar_t* name) const;
    const XmlAttr* find(const wchar_t* name) const;
    // Returns every record to the shared factory.
    void clear();
    void removeAt(uint32_t i);

    // Appends a record with the name and the raw (already escaped) value. Refused (false)
    // when the name is neither empty nor valid, or the value would end the attribute or
    // text early when written (a double quote in an attribute, "<" in a text run).
    // Lengths of -1 mean up to the NUL.
    bool add(const wchar_t* name, const wchar_t* value, int32_t valueLength = -1);
    bool addText(const wchar_t* name, int32_t nameLength, const wchar_t* value, int32_t valueLength);

    // ---- typed setters: each appends one attribute; false when refused or out of memory
    bool setInt64(const wchar_t* name, int64_t value);
    bool setUInt32(const wchar_t* name, uint32_t value);
    bool setUInt16(const wchar_t* name, uint16_t value) { return setUInt32(name, value); }
    bool setUInt8(const wchar_t* name, uint8_t value) { return setUInt32(name, value); }
    bool setInt32(const wchar_t* name, int32_t value) { return setInt64(name, value); }
    bool setInt16(const wchar_t* name, int16_t value) { return setInt64(name, value); }
    bool setInt8(const wchar_t* name, int8_t value) { return setInt64(name, value); }
    // Shortest text that reads back as the same value ("%.9g" / "%.17g"); "nan", "inf", "-inf".
    bool setFloat(const wchar_t* name, float value);
    bool setDouble(const wchar_t* name, double value);
    // Escaped for an attribute, or for element text when the name is empty.
    bool setString(const wchar_t* name, const wchar_t* text, int32_t length = -1);
    // Fixed-width lower-case hexadecimal digits of each item, concatenated.
    bool setHex64Array(const wchar_t* name, const uint64_t* values, uint32_t count);
    bool setHex32Array(const wchar_t* name, const uint32_t* values, uint32_t count);
    bool setHex16Array(const wchar_t* name, const uint16_t* values, uint32_t count);
    bool setHex8Array(const wchar_t* name, const uint8_t* values, uint32_t count);
    // Each item as two 8-digit words, the low 32 bits first.
    bool setHex64AsWords(const wchar_t* name, const uint64_t* values, uint32_t count);

    // ---- typed getters: the default when the name is absent
    // The stored (still escaped) value.
    const wchar_t* getString(const wchar_t* name, const wchar_t* def) const;
    // True when the value begins with "1" or "true".
    bool getBool(const wchar_t* name, bool def) const;
    // Decimal: leading white space, optional sign, digits up to the first other character;
    // 0 when there are none. Out-of-range values saturate (getInt64 also takes unsigned
    // 64-bit values, as the same bits).
    int32_t getInt32(const wchar_t* name, int32_t def) const;
    int64_t getInt64(const wchar_t* name, int64_t def) const;
    // Unsigned decimal; a minus sign negates modulo 2^32.
    uint32_t getUInt32(const wchar_t* name, uint32_t def) const;
    float getFloat(const wchar_t* name, float def) const;
    double getDouble(const wchar_t* name, double def) const;
    // Decoded value (attribute or text-run decoding) into out, appended or replacing the
    // text; the default text when absent. out null: a new pooled string.
    str::strbuffer::StrBuffer* copyValueTo(str::strbuffer::StrBuffer* out, const wchar_t* name, const wchar_t* def,
                                           bool append) const;

    // Reads attributes from p up to the ">", "/" or "?" that ends them (returned). Null
    // when the text is malformed or ends first; records read so far are kept.
    const wchar_t* parse(const wchar_t* p);
    // Appends ' name="value"' for every named attribute, in order.
    void write(str::strbuffer::StrBuffer* out) const;

private:
    friend class Node;
    // The stored value of the first attribute named name, null when absent.
    const wchar_t* valueOf(const wchar_t* name) const;
    template <class Format>
    bool setFormatted(const wchar_t* name, Format format);

    col::_array::ArrayP items_;
};

}  // namespace s::xml
