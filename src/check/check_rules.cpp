#include "check/check_rules.h"

#include <iterator>

namespace {

constexpr CheckSeverity E = CheckSeverity::Error;
constexpr CheckSeverity W = CheckSeverity::Warning;

// In the order of CheckRule.
const CRuleText kRules[] = {
    {"file-unreadable", E, "ファイルを読めません: {}", "cannot read the file: {}"},
    {"file-too-large", E, "ファイルが大きすぎます ({} バイトまで検査します)", "the file is too large to check (at most {} bytes)"},
    {"too-many-attributes", E, "属性が多すぎる要素があります (一つの要素に {} 個まで検査します)",
     "an element has too many attributes (at most {} are checked)"},
    {"too-much-text", E, "展開した文字が多すぎます: 実体参照が {} バイトを超えて展開されます",
     "too much expanded text: the entity references expand to more than {} bytes"},
    {"encoding-undeclared", W, "XML 宣言に encoding がありません (UTF-8 として読みます)",
     "the XML declaration names no encoding (read as UTF-8)"},
    {"encoding-mismatch", E, "バイトが符号化 {} と合いません", "the bytes do not match the encoding {}"},
    {"encoding-looks-utf8", W, "符号化 {} と宣言されていますが、バイトは UTF-8 に見えます",
     "the encoding is declared as {}, but the bytes look like UTF-8"},
    {"encoding-unknown", E, "符号化 {} を読めません", "unknown encoding {}"},
    {"not-well-formed", E, "XML として正しくありません: {}", "not well-formed XML: {}"},
    {"xml-error", E, "XML の誤り: {}", "XML error: {}"},
    {"xml-warning", W, "XML の注意: {}", "XML warning: {}"},
    {"unknown-format", E, "RSS 1.0、RSS 2.0、Atom 0.3、Atom 1.0 のどれでもありません (ルート要素 {})",
     "not RSS 1.0, RSS 2.0, Atom 0.3 or Atom 1.0 (root element {})"},
    {"rss-version", W, "rss の version が 2.0 ではありません ({})。RSS 2.0 として検査します",
     "the rss version is not 2.0 ({}); checked as RSS 2.0"},
    {"missing-element", E, "{} がありません", "missing {}"},
    {"empty-title", W, "タイトルが空です", "the title is empty"},
    {"control-character", W, "制御文字 {} があります", "control character {}"},
    {"double-escaped", W, "マークアップが二重にエスケープされています: {}", "markup escaped twice: {}"},
    {"relative-url", E, "絶対 URL ではありません: \"{}\"", "not an absolute URL: \"{}\""},
    {"rss20-item-empty", E, "item に title も description もありません", "the item has neither title nor description"},
    {"rfc822-date", E, "RFC 822 の日付ではありません: \"{}\"", "not an RFC 822 date: \"{}\""},
    {"day-of-week", W, "曜日が日付と合いません: \"{}\"", "the day of the week does not match the date: \"{}\""},
    {"military-zone", W, "一文字の時間帯 {} は読み方が読者によって違います", "the one-letter zone {} is read differently by readers"},
    {"date-out-of-range", W, "日付 \"{}\" は 1970 年から 2038 年 1 月 19 日までの外にあり、読めない読者があります",
     "the date \"{}\" lies outside 1970 to 19 January 2038; some readers cannot read it"},
    {"duplicate-guid", E, "guid \"{}\" が重複しています (行 {} にもあります)", "duplicate guid \"{}\" (also on line {})"},
    {"rss10-about", E, "rdf:about がありません", "missing rdf:about"},
    {"rss10-item-in-channel", E, "item が channel の中にあります (rdf:RDF の直下に置きます)",
     "an item inside the channel (items belong directly under rdf:RDF)"},
    {"rss10-no-seq", E, "channel の items に rdf:Seq がありません", "the channel's items hold no rdf:Seq"},
    {"rss10-seq-resource", E, "rdf:li に rdf:resource がありません", "an rdf:li without rdf:resource"},
    {"rss10-seq-unknown", E, "rdf:Seq にある \"{}\" の item がありません", "the rdf:Seq names \"{}\", but no item has that rdf:about"},
    {"rss10-seq-unlisted", E, "item \"{}\" が channel の rdf:Seq にありません", "the item \"{}\" is missing from the channel's rdf:Seq"},
    {"rss10-seq-twice", W, "rdf:Seq に \"{}\" が二度あります", "the rdf:Seq lists \"{}\" twice"},
    {"rss10-duplicate-about", E, "item の rdf:about \"{}\" が重複しています (行 {} にもあります)",
     "duplicate item rdf:about \"{}\" (also on line {})"},
    {"w3c-date", E, "W3C の日付ではありません: \"{}\"", "not a W3C date: \"{}\""},
    {"rfc3339-date", E, "RFC 3339 の日付ではありません: \"{}\"", "not an RFC 3339 date: \"{}\""},
    {"duplicate-id", E, "id \"{}\" が重複しています (行 {} にもあります)", "duplicate id \"{}\" (also on line {})"},
    {"no-self-link", W, "rel=\"self\" の link がありません", "no link with rel=\"self\""},
    {"no-author", E, "author がありません (feed にも entry にも)", "no author, neither in the feed nor in the entry"},
    {"link-href", E, "link に href がありません", "the link has no href"},
    {"no-alternate", E, "content のない entry に rel=\"alternate\" の link がありません",
     "an entry without content needs a link with rel=\"alternate\""},
    {"text-holds-markup", W, "type が {} なのにマークアップ \"{}\" があります", "type {} holds the markup \"{}\""},
    {"html-holds-elements", E, "type が {} なのに子要素があります (エスケープします)",
     "type {} holds child elements (escape them)"},
    {"xhtml-div", E, "type が xhtml なら xhtml:div ひとつだけを入れます", "type xhtml holds exactly one xhtml:div"},
    {"atom03-mode", E, "mode \"{}\" は xml、escaped、base64 のどれでもありません", "mode \"{}\" is none of xml, escaped, base64"},
    {"atom03-version", W, "feed の version が 0.3 ではありません ({})", "the feed version is not 0.3 ({})"},
    {"schema-invalid", E, "Atom 1.0 のスキーマ (RFC 4287) に合いません: {}",
     "invalid against the Atom 1.0 schema (RFC 4287): {}"},
    {"schema-skipped", W,
     "Atom 1.0 のスキーマ検証を省きました: atom.rng が見つかりません (--schema FILE か環境変数 "
     "VAMELRSS_ATOM_SCHEMA で指定します)",
     "Atom 1.0 schema validation skipped: atom.rng not found (name it with --schema FILE or the "
     "VAMELRSS_ATOM_SCHEMA environment variable)"},
    {"schema-unreadable", W, "スキーマ {} を読めません。スキーマ検証を省きました", "cannot read the schema {}; schema validation skipped"},
};

static_assert(std::size(kRules) == static_cast<size_t>(CheckRule::SchemaUnreadable) + 1,
              "one text per rule");

}  // namespace

const CRuleText& RuleText(CheckRule rule) { return kRules[static_cast<size_t>(rule)]; }
