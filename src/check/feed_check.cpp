#include "check/feed_check.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <mutex>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "check/check_encoding.h"
#include "check/check_formats.h"
#include "check/check_json_feed.h"
#include "check/check_limits.h"
#include "check/check_nodes.h"
#include "check/check_readers.h"
#include "check/check_report.h"
#include "check/check_schema.h"
#include "check/check_text.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace {

// Strict and safe: no network, no loading of the external subset, entities kept as references (never
// expanded into the tree), libxml2's limits on depth, names and text in force (no XML_PARSE_HUGE).
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOCDATA | XML_PARSE_COMPACT;

// External entities and DTDs are never fetched: the loader refuses every resource.
xmlParserInputPtr RefuseExternal(const char*, const char*, xmlParserCtxtPtr) { return nullptr; }

void InitLibxml() {
  static std::once_flag once;
  std::call_once(once, [] {
    xmlInitParser();
    xmlSetExternalEntityLoader(RefuseExternal);
  });
}

struct CParseError {
  int level;
  int code;
  int line;
  int column;
  std::string message;
  std::string name;  // the name the error is about (an entity's), when libxml2 gives one
};

struct CParseErrors {
  std::vector<CParseError> list;
  xmlParserCtxtPtr document = nullptr;  // the context of the document (entities get their own)
};

void CollectParseError(void* data, xmlErrorPtr error) noexcept try {
  auto* errors = static_cast<CParseErrors*>(data);
  if (errors->list.size() >= 1000) return;
  std::string message = error->message ? error->message : "";
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  int line = error->line, column = error->int2;
  // Inside an entity libxml2 counts in the entity's text: the place in the file is where the
  // document's own input stands.
  xmlParserCtxtPtr document = errors->document;
  if (document && (error->ctxt != document || document->inputNr > 1) && document->inputNr > 0 && document->inputTab[0]) {
    line = document->inputTab[0]->line;
    column = document->inputTab[0]->col;
  }
  errors->list.push_back({error->level, error->code, line, column, std::move(message), error->str1 ? error->str1 : ""});
} catch (const std::bad_alloc&) {
  // No memory for one more error: libxml2 stops on its own failures soon enough.
}

// Routes libxml2's errors on this thread to `errors` while it lives.
class CErrorCapture {
public:
  explicit CErrorCapture(CParseErrors* errors)
      : m_oldHandler(xmlStructuredError), m_oldContext(xmlStructuredErrorContext) {
    xmlSetStructuredErrorFunc(errors, CollectParseError);
  }
  ~CErrorCapture() { xmlSetStructuredErrorFunc(m_oldContext, m_oldHandler); }
  CErrorCapture(const CErrorCapture&) = delete;
  CErrorCapture& operator=(const CErrorCapture&) = delete;

private:
  xmlStructuredErrorFunc m_oldHandler;
  void* m_oldContext;
};

// The document handed to libxml2 a piece at a time, as a file is: it then keeps a small window of the
// bytes rather than a copy of the whole document.
struct CPieceReader {
  const char* next;
  size_t left;
};

int ReadPiece(void* context, char* buffer, int length) {
  auto* reader = static_cast<CPieceReader*>(context);
  const size_t n = std::min(reader->left, static_cast<size_t>(length > 0 ? length : 0));
  std::memcpy(buffer, reader->next, n);
  reader->next += n;
  reader->left -= n;
  return static_cast<int>(n);
}

// White space that libxml2 judges ignorable (no xml:space="preserve", no text in the element before
// it) and that stands between elements, right after an element or at the start of one and right
// before a start tag, makes no node: no rule reads it, and a feed indented by its writer has about as
// many of them as elements. Any other white space is text as usual.
void OnIgnorableWhitespace(void* context, const xmlChar* text, int length) {
  const auto* parser = static_cast<xmlParserCtxtPtr>(context);
  const xmlChar* next = parser->input ? parser->input->cur : nullptr;
  const xmlNode* parent = parser->node;
  if (next && next[0] == '<' && parent) {
    const xmlChar c = next[1];
    const bool startTag = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80;
    const bool afterElement = parent->last && parent->last->type == XML_ELEMENT_NODE;
    // Before a start tag, after an element or first in its parent; before an end tag, after an element.
    if ((startTag && (!parent->last || afterElement)) || (c == '/' && afterElement)) return;
  }
  xmlSAX2Characters(context, text, length);
}

// Each element of the document's own text gets its number in document order (from 1) in `_private`,
// so that findings find their start tags without another walk of the tree. Elements of entity
// declarations (parsed by a context of their own) get none.
struct CElementNumbering {
  xmlParserCtxtPtr document = nullptr;
  std::uintptr_t count = 0;
};

void OnStartElement(void* context, const xmlChar* name, const xmlChar* prefix, const xmlChar* uri, int namespaces,
                    const xmlChar** namespaceList, int attributes, int defaulted, const xmlChar** attributeList) {
  xmlSAX2StartElementNs(context, name, prefix, uri, namespaces, namespaceList, attributes, defaulted, attributeList);
  auto* parser = static_cast<xmlParserCtxtPtr>(context);
  auto* numbering = static_cast<CElementNumbering*>(parser->_private);
  if (numbering && parser == numbering->document && parser->inputNr == 1 && parser->node) {
    parser->node->_private = reinterpret_cast<void*>(++numbering->count);
  }
}

struct CDocDeleter {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

// The document a check kept rather than freed (CFeedCheckOptions::freeDocument); a later one takes its
// place and frees it, so that at most one is kept.
std::atomic<xmlDoc*> g_keptDocument{nullptr};

void KeepDocument(std::unique_ptr<xmlDoc, CDocDeleter> doc) {
  if (xmlDoc* previous = g_keptDocument.exchange(doc.release())) xmlFreeDoc(previous);
}

std::string RootName(const xmlNode* root) {
  std::string name = QualifiedName(root);
  if (root->ns && root->ns->href) name += std::string(" (") + reinterpret_cast<const char*>(root->ns->href) + ")";
  return name;
}

void CheckDocument(xmlDoc* doc, std::string_view text, const CFeedCheckOptions& options, CFeedCheckResult& result,
                   CCheckReport& report) {
  const xmlNode* root = xmlDocGetRootElement(doc);
  result.format = DetectFormat(root);
  switch (result.format) {
    case CheckedFormat::Rss20: CheckRss20(root, report); break;
    case CheckedFormat::Rss10: CheckRss10(root, report); break;
    case CheckedFormat::Atom10: CheckAtom10(root, report, result.schema); break;
    case CheckedFormat::Atom03: CheckAtom03(root, report); break;
    case CheckedFormat::JsonFeed:  // never from XML
    case CheckedFormat::Unknown:
      // RSS 0.90 and RSS 1.1 are feeds, only not ones this check reads.
      if (IsElement(root, kRdfNs, "RDF") && FirstChild(root, kRss090Ns, "channel")) {
        report.AtNode(CheckRule::UncheckedFormat, root, "RSS 0.90");
      } else if (IsElement(root, kRss11Ns, "Channel")) {
        report.AtNode(CheckRule::UncheckedFormat, root, "RSS 1.1");
      } else {
        report.AtNode(CheckRule::UnknownFormat, root, RootName(root));
      }
      break;
  }
  const bool hasEntities = doc->intSubset && doc->intSubset->entities;
  CheckTextEverywhere(root, text, hasEntities, report);
  CheckFeedSize(text.size(), report);
  // A schema named by the user is applied besides the built-in structure.
  if (result.format == CheckedFormat::Atom10 && options.useSchema) {
    std::string schema = FindAtomSchema(options);
    if (!schema.empty() && ValidateWithSchema(doc, schema, report) == SchemaVerdict::Invalid) result.schema = SchemaVerdict::Invalid;
  }
}

CFeedCheckResult CheckBytes(std::string_view bytes, const CFeedCheckOptions& options);

// CheckBytes, with a failure to allocate reported as a file that could not be read.
CFeedCheckResult CheckBytesOrReport(std::string_view bytes, const CFeedCheckOptions& options) {
  try {
    return CheckBytes(bytes, options);
  } catch (const std::bad_alloc&) {
    CFeedCheckResult result;
    CCheckReport report(options.language);
    report.AtFile(CheckRule::FileUnreadable, std::strerror(ENOMEM));
    result.findings = report.Resolve({}, nullptr);
    return result;
  }
}

}  // namespace

int CFeedCheckResult::ErrorCount() const {
  return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                        [](const CFeedFinding& f) { return f.severity == CheckSeverity::Error; }));
}

int CFeedCheckResult::WarningCount() const { return static_cast<int>(findings.size()) - ErrorCount(); }

const char* CheckedFormatName(CheckedFormat format) {
  switch (format) {
    case CheckedFormat::Rss10: return "RSS 1.0";
    case CheckedFormat::Rss20: return "RSS 2.0";
    case CheckedFormat::Atom03: return "Atom 0.3";
    case CheckedFormat::Atom10: return "Atom 1.0";
    case CheckedFormat::JsonFeed: return "JSON Feed";
    case CheckedFormat::Unknown: break;
  }
  return "";
}

std::string FindAtomSchema(const CFeedCheckOptions& options) {
  if (!options.schemaPath.empty()) return options.schemaPath;
  const char* env = std::getenv("VAMELRSS_ATOM_SCHEMA");
  if (env && *env) return FromNativePath(env);
  return std::string();
}

CFeedCheckResult CheckFeedFile(const std::string& path, const CFeedCheckOptions& options) {
  CFeedCheckResult result;
  CCheckReport report(options.language);
  struct stat st;
  if (stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
      static_cast<unsigned long long>(st.st_size) > kMaxCheckedFileSize) {
    result.read = true;
    report.AtFile(CheckRule::FileTooLarge, std::to_string(kMaxCheckedFileSize));
    result.findings = report.Resolve({}, nullptr);
    return result;
  }
  // A regular file is mapped rather than read into a second copy.
  int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0 && fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    const size_t size = static_cast<size_t>(st.st_size);
    void* map = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (map != MAP_FAILED) {
      result = CheckBytesOrReport(std::string_view(static_cast<const char*>(map), size), options);
      munmap(map, size);
      return result;
    }
  } else if (fd >= 0) {
    ::close(fd);
  }
  // Devices and pipes are read up to one byte beyond the limit, which then refuses them.
  std::string bytes;
  int error = 0;
  bool read = false;
  try {
    read = !IsDirectory(path) && ReadFileBytes(path, bytes, error, kMaxCheckedFileSize);
  } catch (const std::bad_alloc&) {
    error = ENOMEM;
  }
  if (!read) {
    report.AtFile(CheckRule::FileUnreadable, IsDirectory(path) ? "Is a directory" : std::strerror(error));
    result.findings = report.Resolve({}, nullptr);
    return result;
  }
  return CheckBytesOrReport(bytes, options);
}

CFeedCheckResult CheckFeedBytes(const std::string& bytes, const CFeedCheckOptions& options) {
  return CheckBytesOrReport(bytes, options);
}

namespace {

CFeedCheckResult CheckBytes(std::string_view bytes, const CFeedCheckOptions& options) {
  InitLibxml();
  CFeedCheckResult result;
  result.read = true;
  CCheckReport report(options.language);
  if (bytes.size() > kMaxCheckedFileSize) {
    report.AtFile(CheckRule::FileTooLarge, std::to_string(kMaxCheckedFileSize));
    result.findings = report.Resolve({}, nullptr);
    return result;
  }
  if (LooksLikeJson(bytes)) return CheckJsonFeed(bytes, options.language);
  CDocumentText text;
  if (!CheckEncoding(bytes, text, report)) {
    result.findings = report.Resolve(text.utf8, nullptr);
    return result;
  }
  if (HasTagWithMoreAttributes(text.utf8, kMaxCheckedAttributes)) {
    report.AtFile(CheckRule::TooManyAttributes, std::to_string(kMaxCheckedAttributes));
    result.findings = report.Resolve(text.utf8, nullptr);
    return result;
  }

  CParseErrors parse;
  std::vector<CParseError>& errors = parse.list;
  std::unique_ptr<xmlDoc, CDocDeleter> owned;
  bool wellFormed = false;
  {
    CErrorCapture capture(&parse);
    CElementNumbering numbering;
    xmlParserCtxtPtr context = xmlNewParserCtxt();
    parse.document = context;
    if (context) {
      context->sax->ignorableWhitespace = OnIgnorableWhitespace;
      context->sax->startElementNs = OnStartElement;
      context->_private = &numbering;
      numbering.document = context;
      CPieceReader reader{bytes.data(), bytes.size()};
      owned.reset(xmlCtxtReadIO(context, ReadPiece, nullptr, &reader, nullptr, nullptr, kParseOptions));
      wellFormed = owned && context->wellFormed;
      xmlFreeParserCtxt(context);
    }
  }
  xmlDoc* doc = owned.get();
  if (!wellFormed || !xmlDocGetRootElement(doc)) {
    // Bytes that are not UTF-8 are the encoding's fault: said as such, at the first of them.
    size_t bad = text.utf8Unchecked ? FindInvalidUtf8(text.utf8) : std::string_view::npos;
    if (bad != std::string_view::npos) {
      report.AtOffset(CheckRule::EncodingMismatch, bad, "UTF-8");
      result.findings = report.Resolve(text.utf8, nullptr);
      return result;
    }
    // One error: the first fatal one, where libxml2 stopped.
    auto fatal = std::find_if(errors.begin(), errors.end(), [](const CParseError& e) { return e.level == XML_ERR_FATAL; });
    if (fatal == errors.end()) fatal = errors.begin();
    if (fatal != errors.end()) report.AtPosition(CheckRule::NotWellFormed, fatal->line, fatal->column, fatal->message);
    else report.AtFile(CheckRule::NotWellFormed, "no document element");
    result.findings = report.Resolve(text.utf8, nullptr);
    return result;
  }
  result.wellFormed = true;
  for (const CParseError& e : errors) {
    // A reference to an entity that no declaration read defines is well-formed when the document has
    // an external DTD (which may declare it): readers that do not read the DTD lose its text.
    if (e.code == XML_WAR_UNDECLARED_ENTITY) report.AtPosition(CheckRule::EntityInExternalDtd, e.line, e.column, e.name);
    else report.AtPosition(e.level == XML_ERR_WARNING ? CheckRule::XmlWarning : CheckRule::XmlError, e.line, e.column, e.message);
  }
  // The rules (and the schema's validation) read the text of entity references wherever they stand:
  // a document whose references stand for too much text is reported, not read.
  const size_t allowance = ExpandedTextAllowance(text.utf8.size());
  if (doc->intSubset && doc->intSubset->entities && ExpandedEntityText(xmlDocGetRootElement(doc), allowance) > allowance) {
    result.format = DetectFormat(xmlDocGetRootElement(doc));
    report.AtFile(CheckRule::TooMuchText, std::to_string(allowance));
  } else {
    CheckDocument(doc, text.utf8, options, result, report);
  }
  result.findings = report.Resolve(text.utf8, xmlDocGetRootElement(doc));
  if (!options.freeDocument) KeepDocument(std::move(owned));
  return result;
}

}  // namespace
