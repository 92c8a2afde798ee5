#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "values/binary_xml_decoder.h"
#include "values/xml_converter.h"

namespace pellora {
namespace {

using binxml::DecodeStatus;

std::vector<uint8_t> bytesOf(std::string_view hex) {
  std::vector<uint8_t> bytes;
  int high = -1;
  for (char c : hex) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (!std::isxdigit(static_cast<unsigned char>(upper))) continue;
    const int nibble = upper <= '9' ? upper - '0' : upper - 'A' + 10;
    if (high < 0) {
      high = nibble;
    } else {
      bytes.push_back(static_cast<uint8_t>(high << 4 | nibble));
      high = -1;
    }
  }
  return bytes;
}

// Builds a binary XML value token by token. Names and qualified names are
// defined on first use, just before the token that needs them, and counted
// as a writer does; flush and nested documents start the count again.
class BinaryXml {
 public:
  explicit BinaryXml(uint8_t version = 1) { header(version); }

  BinaryXml& hex(std::string_view hex) {
    for (uint8_t b : bytesOf(hex)) bytes_.push_back(b);
    return *this;
  }
  BinaryXml& mb(uint64_t value) {
    do {
      const uint8_t low = value & 0x7F;
      value >>= 7;
      bytes_.push_back(value ? (low | 0x80) : low);
    } while (value);
    return *this;
  }
  BinaryXml& utf16(std::u16string_view s) {
    mb(s.size());
    for (char16_t unit : s) {
      bytes_.push_back(unit & 0xFF);
      bytes_.push_back(unit >> 8);
    }
    return *this;
  }

  uint32_t name(std::u16string_view s) {
    if (s.empty()) return 0;
    auto& names = tables_.back().names;
    auto found = names.find(std::u16string(s));
    if (found != names.end()) return found->second;
    hex("F0").utf16(s);
    const uint32_t index = static_cast<uint32_t>(names.size()) + 1;
    names.emplace(s, index);
    return index;
  }
  uint32_t qname(std::u16string_view uri, std::u16string_view prefix, std::u16string_view local) {
    const uint32_t n = name(uri), p = name(prefix), l = name(local);
    auto& tables = tables_.back();
    auto found = tables.qnames.find({n, p, l});
    if (found != tables.qnames.end()) return found->second;
    hex("EF").mb(n).mb(p).mb(l);
    const uint32_t index = ++tables.qnameCount;
    tables.qnames.emplace(std::make_tuple(n, p, l), index);
    return index;
  }

  BinaryXml& open(uint32_t q) { return hex("F8").mb(q); }
  BinaryXml& open(std::u16string_view local) { return open(qname(u"", u"", local)); }
  BinaryXml& close() { return hex("F7"); }
  BinaryXml& attr(uint32_t q) { return hex("F6").mb(q); }
  BinaryXml& attr(std::u16string_view local) { return attr(qname(u"", u"", local)); }
  BinaryXml& endAttrs() { return hex("F5"); }
  // xmlns="uri" (prefix "") or xmlns:p="uri".
  BinaryXml& declare(std::u16string_view prefix, std::u16string_view uri) {
    std::u16string declared = prefix.empty() ? u"xmlns" : u"xmlns:" + std::u16string(prefix);
    attr(qname(u"", declared, u""));
    return uri.empty() ? *this : text(uri);
  }
  BinaryXml& text(std::u16string_view s) { return hex("11").utf16(s); }
  BinaryXml& flush() {
    tables_.back() = Tables{};
    return hex("E9");
  }
  BinaryXml& nest(uint8_t version = 1) {
    hex("EC");
    header(version);
    return *this;
  }
  BinaryXml& endNest() {
    tables_.pop_back();
    return hex("EB");
  }

  const std::vector<uint8_t>& bytes() const { return bytes_; }
  std::string xml() const { return convertXmlValue(bytes_); }

 private:
  struct Tables {
    std::map<std::u16string, uint32_t> names;
    std::map<std::tuple<uint32_t, uint32_t, uint32_t>, uint32_t> qnames;
    uint32_t qnameCount = 0;
  };

  void header(uint8_t version) {
    bytes_.insert(bytes_.end(), {0xDF, 0xFF, version, 0xB0, 0x04});
    tables_.emplace_back();
  }

  std::vector<uint8_t> bytes_;
  std::vector<Tables> tables_;
};

std::string convertHex(std::string_view hex) { return convertXmlValue(bytesOf(hex)); }

// The worked examples of the format notes, byte for byte.
TEST(BinaryXmlTest, DecodesTheReferenceExamples) {
  struct Case {
    const char* what;
    const char* hex;
    const char* xml;
  };
  const Case cases[] = {
      {"element with PI and comment",
       "DF FF 01 B0 04 F0 04 72 00 6F 00 6F 00 74 00 EF 00 00 01 F8 01 11 02 0A 00 09 00"
       " F0 02 70 00 69 00 F4 02 04 74 00 65 00 78 00 74 00 11 02 0A 00 09 00"
       " F3 07 63 00 6F 00 6D 00 6D 00 65 00 6E 00 74 00 11 01 0A 00 F7",
       "<root>\n\t<?pi text?>\n\t<!--comment-->\n</root>"},
      {"prefixed name and its declaration",
       "DF FF 01 B0 04 F0 02 6E 00 73 00 F0 01 70 00 F0 01 6C 00 EF 01 02 03 F8 01"
       " F0 07 78 00 6D 00 6C 00 6E 00 73 00 3A 00 70 00 EF 00 04 00 F6 02 11 02 6E 00 73 00 F5 F7",
       "<p:l xmlns:p=\"ns\"/>"},
      {"default namespace inherited by a child",
       "DF FF 01 B0 04 F0 05 75 00 72 00 6E 00 3A 00 78 00 F0 01 72 00 EF 01 00 02 F8 01"
       " F0 05 78 00 6D 00 6C 00 6E 00 73 00 EF 00 03 00 F6 02 11 05 75 00 72 00 6E 00 3A 00 78 00 F5"
       " F0 01 63 00 EF 01 00 04 F8 03 F7 F7",
       "<r xmlns=\"urn:x\"><c/></r>"},
      {"typed attribute and text",
       "DF FF 01 B0 04 F0 04 69 00 74 00 65 00 6D 00 EF 00 00 01 F0 02 69 00 64 00 EF 00 00 02"
       " F8 01 F6 02 02 2A 00 00 00 F5 11 02 68 00 69 00 F7",
       "<item id=\"42\">hi</item>"},
      {"empty element, explicit end tag, CDATA, flush, nested document",
       "DF FF 01 B0 04 F0 01 71 00 EF 00 00 01 F8 01 F7 F8 01 11 00 F7"
       " F2 02 61 00 3C 00 F2 01 62 00 F1"
       " E9 F0 01 78 00 EF 00 00 01 F8 01 F7"
       " EC DF FF 01 B0 04 F0 01 6E 00 EF 00 00 01 F8 01 F7 EB",
       "<q/><q></q><![CDATA[a<b]]><x/><n/>"},
      {"XML declaration, its encoding name left out",
       "DF FF 01 B0 04 FE 03 31 00 2E 00 30 00 FD 05 75 00 74 00 66 00 2D 00 38 00 01",
       "<?xml version=\"1.0\" standalone=\"yes\"?>"},
  };
  for (const Case& c : cases) EXPECT_EQ(convertHex(c.hex), c.xml) << c.what;
}

TEST(BinaryXmlTest, WritesDocumentsOfSeveralShapes) {
  BinaryXml nested;
  nested.open(u"order").attr(u"id").text(u"7").attr(u"state").text(u"open").endAttrs();
  nested.open(u"line").attr(u"n").text(u"1").endAttrs().text(u"bolts").close();
  nested.open(u"line").attr(u"n").text(u"2").endAttrs().open(u"note").close().close();
  nested.close();
  EXPECT_EQ(nested.xml(),
            "<order id=\"7\" state=\"open\"><line n=\"1\">bolts</line><line n=\"2\"><note/></line></order>");

  // Version 0 is read as version 1.
  EXPECT_EQ(BinaryXml(0).open(u"a").close().xml(), "<a/>");

  BinaryXml fragment;  // several top-level items, text among them
  fragment.text(u"lead ").open(u"a").close().text(u" mid ").open(u"b").text(u"x").close();
  EXPECT_EQ(fragment.xml(), "lead <a/> mid <b>x</b>");

  BinaryXml misc;
  misc.hex("FE").utf16(u"1.0").hex("02");  // standalone="no", no encoding
  const uint32_t target = misc.name(u"xml-stylesheet");
  misc.hex("F3").utf16(u" top ").hex("F4").mb(target).utf16(u"href=\"a.xsl\"");
  misc.open(u"r").hex("F4").mb(target).utf16(u"").close();
  EXPECT_EQ(misc.xml(),
            "<?xml version=\"1.0\" standalone=\"no\"?><!-- top --><?xml-stylesheet href=\"a.xsl\"?>"
            "<r><?xml-stylesheet?></r>");

  BinaryXml docType;
  docType.hex("FC").utf16(u"html").hex("FB").utf16(u"about:legacy").hex("FA").utf16(u"-//W3C//DTD X//EN");
  docType.hex("F9").utf16(u"<!ENTITY e \"v\">").open(u"html").close();
  EXPECT_EQ(docType.xml(), "<!DOCTYPE html PUBLIC \"-//W3C//DTD X//EN\" \"about:legacy\" [<!ENTITY e \"v\">]><html/>");

  BinaryXml unicode;  // names and text beyond ASCII, a surrogate pair among them
  unicode.open(u"gr\u00FC\u00DFe").attr(u"\u540D").text(u"\u5024").endAttrs().text(u"\u00E9t\u00E9 \U0001F600").close();
  EXPECT_EQ(unicode.xml(), "<gr\u00FC\u00DFe \u540D=\"\u5024\">\u00E9t\u00E9 \U0001F600</gr\u00FC\u00DFe>");
}

TEST(BinaryXmlTest, MetadataMaySitBetweenAttributesAndValues) {
  BinaryXml d;
  const uint32_t root = d.qname(u"", u"", u"r");
  d.open(root).hex("EA 03 01 02 03");  // an extension is skipped by its length
  const uint32_t a = d.qname(u"", u"", u"a");
  d.attr(a);
  const uint32_t b = d.qname(u"", u"", u"b");  // between the name and the value
  d.text(u"1").attr(b).text(u"2").endAttrs().hex("E9");
  // After the flush the numbering starts again at 1.
  d.hex("F0").utf16(u"c").hex("EF 00 00 01 F8 01 F7").close();
  EXPECT_EQ(d.xml(), "<r a=\"1\" b=\"2\"><c/></r>");

  BinaryXml blank;  // a (0,0,0) qualified name takes an index all the same
  blank.hex("EF 00 00 00");
  blank.hex("F0").utf16(u"z").hex("EF 00 00 01 F8 02 F7");
  EXPECT_EQ(blank.xml(), "<z/>");
}

TEST(BinaryXmlTest, NestedDocumentsHaveTheirOwnNamesButShareNamespaces) {
  BinaryXml d;
  d.open(d.qname(u"urn:o", u"o", u"outer")).declare(u"o", u"urn:o").endAttrs();
  d.nest(2).hex("FE").utf16(u"1.0").hex("00");  // a nested declaration is dropped
  d.open(d.qname(u"urn:o", u"o", u"inner")).close();
  d.endNest();
  d.open(d.qname(u"urn:o", u"o", u"after")).close().close();
  EXPECT_EQ(d.xml(), "<o:outer xmlns:o=\"urn:o\"><o:inner/><o:after/></o:outer>");
}

TEST(BinaryXmlTest, WritesTheNamespaceDeclarationsTheTextNeeds) {
  struct Case {
    const char* what;
    BinaryXml doc;
    const char* xml;
  };
  std::vector<Case> cases;
  {
    BinaryXml d;  // stored default namespace, then a child in no namespace
    d.open(d.qname(u"urn:d", u"", u"r")).declare(u"", u"urn:d").endAttrs();
    d.open(d.qname(u"", u"", u"c")).declare(u"", u"").endAttrs().close().close();
    cases.push_back({"default namespace undeclared for a child", d, "<r xmlns=\"urn:d\"><c xmlns=\"\"/></r>"});
  }
  {
    BinaryXml d;  // no declaration stored at all
    d.open(d.qname(u"urn:a", u"a", u"r")).attr(d.qname(u"urn:b", u"b", u"x")).text(u"1").endAttrs();
    d.open(d.qname(u"urn:a", u"a", u"c")).close();
    d.open(d.qname(u"urn:d", u"", u"e")).close().close();
    cases.push_back({"implied declarations after the stored attributes", d,
                     "<a:r b:x=\"1\" xmlns:a=\"urn:a\" xmlns:b=\"urn:b\"><a:c/><e xmlns=\"urn:d\"/></a:r>"});
  }
  {
    BinaryXml d;  // the same prefix bound to another URI further down
    d.open(d.qname(u"urn:1", u"p", u"r")).declare(u"p", u"urn:1").endAttrs();
    d.open(d.qname(u"urn:2", u"p", u"r")).close().open(d.qname(u"urn:1", u"p", u"r")).close().close();
    cases.push_back({"prefix rebound on a child only", d,
                     "<p:r xmlns:p=\"urn:1\"><p:r xmlns:p=\"urn:2\"/><p:r/></p:r>"});
  }
  {
    BinaryXml d;  // the xml prefix is always bound
    d.open(u"r").attr(d.qname(u"http://www.w3.org/XML/1998/namespace", u"xml", u"lang")).text(u"en").endAttrs();
    d.close();
    cases.push_back({"xml prefix", d, "<r xml:lang=\"en\"/>"});
  }
  {
    BinaryXml d;  // a qualified-name value needs its prefix declared
    d.open(u"r").attr(u"type");
    const uint32_t q = d.qname(u"http://www.w3.org/2001/XMLSchema", u"xs", u"int");
    d.hex("8C").mb(q).endAttrs().close();
    cases.push_back({"qualified-name value", d, "<r type=\"xs:int\" xmlns:xs=\"http://www.w3.org/2001/XMLSchema\"/>"});
  }
  for (const Case& c : cases) EXPECT_EQ(c.doc.xml(), c.xml) << c.what;
}

TEST(BinaryXmlTest, EscapesTextAttributesAndCData) {
  BinaryXml d;
  d.open(u"r").attr(u"a").text(u"x<y & \"z\" >\t\n\r").endAttrs();
  d.text(u"1 < 2 && 3 > 2 \"q\" 'a'\r\n");
  d.hex("F2").utf16(u"keep <this> & ]]> that").hex("F1");
  d.text(std::u16string(u"bell\u0007 nul") + char16_t(0) + u" \uFFFE");
  d.hex("F2").utf16(u"c\u0001d").hex("F1").close();
  EXPECT_EQ(d.xml(),
            "<r a=\"x&lt;y &amp; &quot;z&quot; &gt;&#9;&#10;&#13;\">"
            "1 &lt; 2 &amp;&amp; 3 &gt; 2 \"q\" 'a'&#13;\n"
            "<![CDATA[keep <this> & ]]]]><![CDATA[> that]]>"
            "bell&#x7; nul&#x0; &#xFFFE;"
            "<![CDATA[c]]>&#x1;<![CDATA[d]]></r>");

  const binxml::DecodeResult result = binxml::decodeBinaryXml(d.bytes());
  EXPECT_EQ(result.forbiddenCharacters, 4u);

  BinaryXml lone;  // a lone surrogate is not valid UTF-16
  lone.open(u"r").text(std::u16string(1, char16_t(0xD800)) + u"x").close();
  EXPECT_EQ(lone.xml(), "<r>\uFFFDx</r>");
}

// The text of one atomic value (payload given in hex after its token) as
// element content.
std::string valueText(std::string_view tokenAndPayload, uint8_t version = 2) {
  BinaryXml d(version);
  d.open(u"v").hex(tokenAndPayload).close();
  const std::string xml = d.xml();
  if (xml.size() < 7 || xml.compare(0, 3, "<v>") != 0) return "(" + xml + ")";
  return xml.substr(3, xml.size() - 7);
}

struct ValueCase {
  const char* hex;
  const char* text;
};

void expectValues(const std::vector<ValueCase>& cases) {
  for (const ValueCase& c : cases) EXPECT_EQ(valueText(c.hex), c.text) << c.hex;
}

TEST(BinaryXmlTest, IntegersOfEveryWidth) {
  expectValues({
      {"01 FE FF", "-2"},
      {"01 FF 7F", "32767"},
      {"02 2A 00 00 00", "42"},
      {"02 00 00 00 80", "-2147483648"},
      {"08 00 00 00 00 00 00 00 80", "-9223372036854775808"},
      {"07 FF", "255"},   // SQL tinyint is unsigned
      {"88 FF", "-1"},    // xs:byte is signed
      {"88 80", "-128"},
      {"89 FF FF", "65535"},
      {"8A FF FF FF FF", "4294967295"},
      {"8B FF FF FF FF FF FF FF FF", "18446744073709551615"},
      {"06 01", "1"},
      {"06 00", "0"},
      {"86 00", "false"},
      {"86 01", "true"},
      {"86 02", "true"},
  });
}

TEST(BinaryXmlTest, DecimalsAndMoney) {
  expectValues({
      {"0A 07 06 04 01 5E 0D 03 00", "20.0030"},  // SQL decimals keep their scale
      {"87 07 06 04 01 5E 0D 03 00", "20.003"},   // xs:decimal drops trailing zeros
      {"0B 07 02 01 00 0F 00 00 00", "-1.5"},
      {"0A 07 03 02 01 05 00 00 00", "0.05"},
      {"87 07 03 02 01 00 00 00 00", "0"},
      {"0A 07 03 01 00 00 00 00 00", "0.0"},  // no minus sign on zero
      {"0A 0B 05 00 01 07 00 00 00 00 00 00 00", "7"},  // a wide magnitude for a small number
      {"0A 13 26 00 01 FF FF FF FF 3F 22 8A 09 7A C4 86 5A A8 4C 3B 4B",
       "99999999999999999999999999999999999999"},
      {"0A 13 26 26 00 FF FF FF FF 3F 22 8A 09 7A C4 86 5A A8 4C 3B 4B",
       "-0.99999999999999999999999999999999999999"},
      {"05 59 92 01 00 00 00 00 00", "10.3001"},
      {"05 A0 86 01 00 00 00 00 00", "10.00"},
      {"05 00 00 00 00 00 00 00 80", "-922337203685477.5808"},
      {"14 58 9E FF FF", "-2.50"},
  });
}

TEST(BinaryXmlTest, FloatingPoint) {
  expectValues({
      {"03 00 00 C0 3F", "1.5"},
      {"03 80 96 18 4B", "1E+07"},
      {"03 38 B4 96 49", "1234567"},
      {"03 FF FF 7F 7F", "3.4028235E+38"},
      {"04 9A 99 99 99 99 99 B9 3F", "0.1"},
      {"04 40 8C B5 78 1D AF 15 44", "1E+20"},
      {"04 48 AF BC 9A F2 D7 7A 3E", "1E-07"},
      {"04 40 DE 77 83 21 12 DC 42", "123456789012345"},
      {"04 00 00 34 26 F5 6B 0C 43", "1E+15"},
      {"04 2D 43 1C EB E2 36 1A 3F", "0.0001"},
      {"04 F1 68 E3 88 B5 F8 E4 3E", "1E-05"},
      {"04 00 00 00 00 00 00 04 C0", "-2.5"},
      {"04 00 00 00 00 00 00 00 80", "-0"},
      {"04 FF FF FF FF FF FF EF 7F", "1.7976931348623157E+308"},
      {"04 01 00 00 00 00 00 00 00", "5E-324"},
      {"04 00 00 00 00 00 00 F0 7F", "INF"},
      {"04 00 00 00 00 00 00 F0 FF", "-INF"},
      {"04 00 00 00 00 00 00 F8 7F", "NaN"},
  });
}

TEST(BinaryXmlTest, TextBinaryAndGuids) {
  expectValues({
      {"09 33 22 11 00 55 44 77 66 88 99 AA BB CC DD EE FF", "00112233-4455-6677-8899-aabbccddeeff"},
      {"0E 02 61 00 26 00", "a&amp;"},
      {"18 01 62 00", "b"},
      {"10 06 E4 04 00 00 41 62", "Ab"},
      {"0D 08 E4 04 00 00 63 61 66 E9", "caf\u00E9"},
      {"16 08 B0 04 00 00 3B 04 34 00", "\u043B" "4"},  // code page 1200 is UTF-16
      {"0F 03 42 AC EF", "Qqzv"},
      {"0C 01 42", "Qg=="},
      {"85 02 42 AC", "Qqw="},
      {"17 00", ""},
      {"1B 04 DE AD BE EF", "3q2+7w=="},
      {"84 03 42 AC EF", "42ACEF"},
  });
}

TEST(BinaryXmlTest, DatesAndTimes) {
  expectValues({
      {"12 3D 97 00 00 F2 8F 32 00", "2006-01-02T03:04:05.500"},
      {"12 00 00 00 00 C0 7A 10 00", "1900-01-01T01:00:00"},  // 00:59:59.9995 rounds up
      {"12 46 2E FF FF 00 00 00 00", "1753-01-01T00:00:00"},
      {"12 7F 24 2D 00 FF 81 8B 01", "9999-12-31T23:59:59.997"},
      {"13 3D 97 B8 00", "2006-01-02T03:04:00"},
      {"83 79 E2 52 3C 07 00 00 00", "2003-11-09-04:30"},
      {"83 41 DE 52 3C 07 00 00 00", "2003-11-09Z"},
      {"83 19 D9 52 3C 07 00 00 00", "2003-11-09+05:30"},
      {"83 11 93 37 3C 07 00 00 00", "2003-02-31Z"},  // stored as such
      {"82 2A B6 BD EE 76 7B 05 00", "2003-11-09T13:45:30.250Z"},
      {"82 FE 3F 61 1E 6F 22 09 00", "9999-12-31T23:59:59.999Z"},
      {"81 28 16 CF 0B 00 00 00 00", "13:45:30.250Z"},
      {"81 00 00 00 00 00 00 00 00", "00:00:00Z"},
      {"81 64 60 99 14 00 00 00 00", "23:59:59.001Z"},
      {"7F 80 46 0B", "2024-02-29"},
      {"7F 00 00 00", "0001-01-01"},
      {"7F DA B9 37", "9999-12-31"},
      {"7E 07 87 0F 41 52 73 80 46 0B", "2024-02-29T13:45:30.1234567"},
      {"7E 03 0B C5 F3 02 80 46 0B", "2024-02-29T13:45:30.123"},
      {"7E 00 80 51 01 80 46 0B", "2024-03-01T00:00:00"},  // 24:00:00 carries into the date
      {"7D 00 7A C1 00 5B 95 0A", "13:45:30"},
      {"7D 07 FF BF 69 2A C9 5B 95 0A", "23:59:59.9999999"},
      {"7B 00 7A C1 00 80 46 0B 78 00", "2024-02-29T15:45:30+02:00"},
      {"7B 07 40 D7 D3 F9 C4 80 46 0B 3C 00", "2024-03-01T00:30:00.5+01:00"},
      {"7B 00 20 1C 00 81 46 0B D4 FE", "2024-02-29T21:00:00-05:00"},
      {"7B 00 7A C1 00 80 46 0B 00 00", "2024-02-29T13:45:30Z"},
      {"7A 03 18 3B C6 04 5B 95 0A B4 00", "01:15:00.12+03:00"},
      // A zoned date stored with no time is the date itself; one stored as
      // the UTC moment of local midnight shows its local date.
      {"7C 00 00 00 00 80 46 0B F2 FE", "2024-02-29-04:30"},
      {"7C 00 30 0B 01 7F 46 0B 2C 01", "2024-02-29+05:00"},
  });
  // Version-2 tokens are read in a version-1 document as well.
  EXPECT_EQ(valueText("7F 80 46 0B", 1), "2024-02-29");
}

TEST(BinaryXmlTest, AdjacentValuesJoinAsTextOrAsAList) {
  BinaryXml d;
  d.open(u"r").attr(u"ints").hex("02 01 00 00 00 02 02 00 00 00").attr(u"none").attr(u"split");
  d.text(u"ab").text(u"cd").endAttrs();
  d.text(u"x").text(u"y").hex("02 03 00 00 00 02 04 00 00 00").open(u"e").close().hex("02 05 00 00 00").close();
  EXPECT_EQ(d.xml(), "<r ints=\"1 2\" none=\"\" split=\"abcd\">xy 3 4<e/>5</r>");
}

// Values that are not binary XML, or are damaged, give no text at all.
TEST(BinaryXmlTest, DamagedValuesGiveNoText) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    DecodeStatus status;
  };
  auto doc = [](std::string_view tail) {
    std::vector<uint8_t> bytes = bytesOf("DF FF 01 B0 04 F0 01 72 00 EF 00 00 01");  // name r, qname 1
    for (uint8_t b : bytesOf(tail)) bytes.push_back(b);
    return bytes;
  };
  const std::vector<Case> cases = {
      {"plain UTF-16 text", bytesOf("3C 00 72 00 2F 00 3E 00"), DecodeStatus::kNotBinaryXml},
      {"short header", bytesOf("DF FF 01"), DecodeStatus::kNotBinaryXml},
      {"version 3", bytesOf("DF FF 03 B0 04"), DecodeStatus::kNotBinaryXml},
      {"code page 1252", bytesOf("DF FF 01 E4 04"), DecodeStatus::kNotBinaryXml},
      {"unknown token", doc("F8 01 EE F7"), DecodeStatus::kCorrupt},
      {"unused value token", doc("F8 01 15 00 F7"), DecodeStatus::kCorrupt},
      {"truncated name", doc("F0 05 61 00 62 00"), DecodeStatus::kTruncated},
      {"text length beyond the buffer", doc("F8 01 11 FF FF 03 61 00 F7"), DecodeStatus::kTruncated},
      {"blob length beyond the buffer", doc("F8 01 0F 80 80 80 80 07 F7"), DecodeStatus::kTruncated},
      {"code-page text shorter than its code page", doc("F8 01 10 03 E4 04 00 F7"), DecodeStatus::kCorrupt},
      {"six-byte multi-byte integer", doc("F8 81 81 81 81 81 01 F7"), DecodeStatus::kCorrupt},
      {"multi-byte integer too big", doc("F8 81 81 81 81 08 F7"), DecodeStatus::kCorrupt},
      {"undefined qualified name", doc("F8 02 F7"), DecodeStatus::kCorrupt},
      {"qualified name 0", doc("F8 00 F7"), DecodeStatus::kCorrupt},
      {"qualified name of an undefined name", doc("EF 00 00 07 F8 02 F7"), DecodeStatus::kCorrupt},
      {"name used after a flush", doc("E9 F8 01 F7"), DecodeStatus::kCorrupt},
      {"undefined processing-instruction target", doc("F4 09 00"), DecodeStatus::kCorrupt},
      {"element left open", doc("F8 01 11 01 61 00"), DecodeStatus::kTruncated},
      {"end tag without an element", doc("F7"), DecodeStatus::kCorrupt},
      {"attribute without end of attributes", doc("F8 01 F6 01 11 00 F7"), DecodeStatus::kCorrupt},
      {"attribute outside a start tag", doc("F8 01 11 00 F6 01 F5 F7"), DecodeStatus::kCorrupt},
      {"attribute that is not a declaration, without a local name", doc("F8 01 EF 00 01 00 F6 02 F5 F7"),
       DecodeStatus::kCorrupt},
      {"CDATA without its end", doc("F2 01 61 00 F8 01 F7"), DecodeStatus::kCorrupt},
      {"XML declaration after the start", doc("FE 03 31 00 2E 00 30 00 00"), DecodeStatus::kCorrupt},
      {"bad standalone flag", bytesOf("DF FF 01 B0 04 FE 03 31 00 2E 00 30 00 03"), DecodeStatus::kCorrupt},
      {"decimal of a bad length", doc("F8 01 0A 08 05 00 01 00 00 00 00 00 F7"), DecodeStatus::kCorrupt},
      {"decimal with a bad sign", doc("F8 01 0A 07 05 00 02 01 00 00 00 F7"), DecodeStatus::kCorrupt},
      {"time scale above 7", doc("F8 01 7D 08 00 00 00 00 00 00 00 F7"), DecodeStatus::kCorrupt},
      {"zone beyond 14 hours", doc("F8 01 7B 00 00 00 00 00 00 00 49 03 F7"), DecodeStatus::kCorrupt},
      {"xs:time of hour 24", doc("F8 01 81 00 70 99 14 00 00 00 00 F7"), DecodeStatus::kCorrupt},
      {"xs:date token holding a dateTime", doc("F8 01 83 2A B6 BD EE 76 7B 05 00 F7"), DecodeStatus::kCorrupt},
      {"truncated fixed-width value", doc("F8 01 08 01 02 03"), DecodeStatus::kTruncated},
      {"nested document without a header", doc("EC F8 01 F7 F8 01 F7 EB"), DecodeStatus::kCorrupt},
      {"nested document left open", doc("EC DF FF 01 B0 04"), DecodeStatus::kTruncated},
      {"end of nesting outside one", doc("EB"), DecodeStatus::kCorrupt},
      {"element open at the end of a nested document", doc("F8 01 EC DF FF 01 B0 04 F7 EB F7"),
       DecodeStatus::kCorrupt},
      {"extension longer than the rest", doc("EA 09 01 02"), DecodeStatus::kTruncated},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(convertXmlValue(c.bytes), "") << c.what;
    EXPECT_EQ(binxml::decodeBinaryXml(c.bytes).status, c.status) << c.what;
  }
}

TEST(BinaryXmlTest, PartialResultClosesWhatWasOpen) {
  BinaryXml d;
  d.open(u"a").attr(u"k").text(u"v").endAttrs().open(u"b").text(u"kept").hex("EE").text(u"lost");
  const binxml::DecodeResult result = binxml::decodeBinaryXml(d.bytes());
  EXPECT_EQ(result.status, DecodeStatus::kCorrupt);
  EXPECT_EQ(result.problemOffset, d.bytes().size() - 11);  // the EE token
  EXPECT_EQ(result.text, "<a k=\"v\"><b>kept</b></a>");
  EXPECT_EQ(d.xml(), "");
}

TEST(BinaryXmlTest, NestingIsLimited) {
  auto deep = [](size_t levels) {
    BinaryXml d;
    const uint32_t q = d.qname(u"", u"", u"e");
    for (size_t i = 0; i < levels; ++i) d.open(q);
    for (size_t i = 0; i < levels; ++i) d.close();
    return d;
  };
  const binxml::DecodeLimits limits;
  EXPECT_EQ(deep(limits.maxElementDepth).xml().size(), limits.maxElementDepth * 7 - 3);
  const BinaryXml tooDeep = deep(200000);
  EXPECT_EQ(tooDeep.xml(), "");
  EXPECT_EQ(binxml::decodeBinaryXml(tooDeep.bytes()).status, DecodeStatus::kTooDeep);

  BinaryXml nests;
  for (size_t i = 0; i < 10000; ++i) nests.nest();
  EXPECT_EQ(binxml::decodeBinaryXml(nests.bytes()).status, DecodeStatus::kTooDeep);
}

TEST(BinaryXmlTest, OutputIsCapped) {
  BinaryXml d;  // one long name, repeated by one-byte references
  const uint32_t q = d.qname(u"", u"", std::u16string(1000, u'n'));
  for (int i = 0; i < 100; ++i) d.open(q).close();
  binxml::DecodeLimits limits;
  limits.maxOutputBytes = 50'000;
  EXPECT_EQ(binxml::decodeBinaryXml(d.bytes(), limits).status, DecodeStatus::kTooLarge);
  EXPECT_EQ(binxml::decodeBinaryXml(d.bytes()).status, DecodeStatus::kOk);
}

BinaryXml richDocument() {
  BinaryXml d;
  d.open(d.qname(u"urn:a", u"a", u"root")).declare(u"a", u"urn:a").attr(u"n").hex("02 07 00 00 00").endAttrs();
  d.text(u"t&").hex("F2").utf16(u"c").hex("F1 F3").utf16(u"m");
  d.open(u"v").hex("7B 07 40 D7 D3 F9 C4 80 46 0B 3C 00 0A 07 06 04 01 5E 0D 03 00").close();
  d.nest().open(u"inner").text(u"x").close().endNest().close();
  return d;
}

// Every cut of a value before its last byte leaves the root open, so none of
// them may give text; run under the sanitizers this also shows that no cut
// reads outside the bytes.
TEST(BinaryXmlTest, EveryTruncationGivesNoText) {
  const std::vector<uint8_t> whole = richDocument().bytes();
  ASSERT_NE(convertXmlValue(whole), "");
  for (size_t length = 0; length < whole.size(); ++length) {
    EXPECT_EQ(convertXmlValue(Bytes(whole.data(), length)), "") << "cut at " << length;
  }
}

TEST(BinaryXmlTest, DamagedBytesNeverReadOutside) {
  const std::vector<uint8_t> whole = richDocument().bytes();
  for (size_t at = 0; at < whole.size(); ++at) {
    for (uint8_t replacement : {0x00, 0x07, 0x7F, 0x80, 0xEC, 0xF8, 0xFF}) {
      std::vector<uint8_t> damaged = whole;
      damaged[at] = replacement;
      const binxml::DecodeResult result = binxml::decodeBinaryXml(damaged);
      EXPECT_LE(result.problemOffset, damaged.size());
    }
  }
}

TEST(BinaryXmlTest, FragmentsFromLargeValuePagesJoinInOrder) {
  const std::vector<uint8_t> whole = richDocument().bytes();
  const std::string expected = convertXmlValue(whole);
  EXPECT_EQ(expected,
            "<a:root xmlns:a=\"urn:a\" n=\"7\">t&amp;<![CDATA[c]]><!--m-->"
            "<v>2024-03-01T00:30:00.5+01:00 20.0030</v><inner>x</inner></a:root>");
  for (size_t cut : {size_t{1}, size_t{5}, whole.size() / 2, whole.size() - 1}) {
    std::vector<std::vector<uint8_t>> fragments = {{whole.begin(), whole.begin() + cut}, {},
                                                   {whole.begin() + cut, whole.end()}};
    EXPECT_EQ(convertXmlFragments(fragments), expected) << "cut at " << cut;
  }
  EXPECT_EQ(convertXmlFragments({}), "");
  EXPECT_EQ(convertXmlFragments({{}, {}}), "");
  EXPECT_EQ(convertXmlFragments({{whole.begin() + 5, whole.end()}, {whole.begin(), whole.begin() + 5}}), "");
}

}  // namespace
}  // namespace pellora
