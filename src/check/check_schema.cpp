#include "check/check_schema.h"

#include <libxml/relaxng.h>
#include <libxml/xmlerror.h>

#include <map>
#include <mutex>
#include <set>
#include <vector>

#include "platform/file_system.h"
#include "platform/text_codec.h"

namespace {

void IgnoreError(void*, xmlErrorPtr) {}

// The parsed schemas by path; nullptr for a file that could not be read or parsed. Kept for the life
// of the process (a parsed schema is only read by validation, which may run on several threads) and
// freed at its end.
struct CSchemaCache {
  std::mutex mutex;
  std::map<std::string, xmlRelaxNGPtr> schemas;
  ~CSchemaCache() {
    for (auto& entry : schemas) {
      if (entry.second) xmlRelaxNGFree(entry.second);
    }
  }
};

xmlRelaxNGPtr CachedSchema(const std::string& path) {
  static CSchemaCache cache;
  std::lock_guard<std::mutex> lock(cache.mutex);
  std::map<std::string, xmlRelaxNGPtr>& schemas = cache.schemas;
  auto it = schemas.find(path);
  if (it != schemas.end()) return it->second;
  xmlRelaxNGPtr schema = nullptr;
  std::string bytes;
  int error = 0;
  if (ReadFileBytes(path, bytes, error) && !bytes.empty() && bytes.size() < (16u << 20)) {
    // From memory: the schema needs no other file, and the parser then has nothing to fetch.
    // A broken schema is reported as unreadable; libxml2's own messages about it stay quiet.
    xmlStructuredErrorFunc oldHandler = xmlStructuredError;
    void* oldContext = xmlStructuredErrorContext;
    xmlSetStructuredErrorFunc(nullptr, IgnoreError);
    if (xmlRelaxNGParserCtxtPtr parser = xmlRelaxNGNewMemParserCtxt(bytes.data(), static_cast<int>(bytes.size()))) {
      xmlRelaxNGSetParserStructuredErrors(parser, IgnoreError, nullptr);
      schema = xmlRelaxNGParse(parser);
      xmlRelaxNGFreeParserCtxt(parser);
    }
    xmlSetStructuredErrorFunc(oldContext, oldHandler);
  }
  schemas[path] = schema;
  return schema;
}

struct CValidation {
  CCheckReport* report;
  std::set<const xmlNode*> reported;
  // libxml2 reports the cause of a failure first, without a node, and then the element that failed:
  // the cause is told at that element.
  std::vector<std::string> causes;
};

void OnValidityError(void* data, xmlErrorPtr error) {
  auto* v = static_cast<CValidation*>(data);
  std::string message = error->message ? error->message : "";
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  const xmlNode* node = static_cast<const xmlNode*>(error->node);
  while (node && node->type != XML_ELEMENT_NODE) node = node->parent;
  if (!node) {
    v->causes.push_back(std::move(message));
    return;
  }
  if (!v->causes.empty()) {
    message = v->causes.front();
    v->causes.clear();
  }
  // One schema finding per element; none where a hand-written rule found an error already.
  if (v->report->HasErrorAt(node) || !v->reported.insert(node).second) return;
  v->report->AtNode(CheckRule::SchemaInvalid, node, message);
}

}  // namespace

SchemaVerdict ValidateWithSchema(xmlDoc* doc, const std::string& schemaPath, CCheckReport& report) {
  xmlRelaxNGPtr schema = CachedSchema(schemaPath);
  if (!schema) {
    report.AtFile(CheckRule::SchemaUnreadable, AnsiToUtf8(schemaPath));
    return SchemaVerdict::NotRun;
  }
  xmlRelaxNGValidCtxtPtr context = xmlRelaxNGNewValidCtxt(schema);
  if (!context) {
    report.AtFile(CheckRule::SchemaUnreadable, AnsiToUtf8(schemaPath));
    return SchemaVerdict::NotRun;
  }
  CValidation validation{&report, {}, {}};
  xmlRelaxNGSetValidStructuredErrors(context, OnValidityError, &validation);
  int result = xmlRelaxNGValidateDoc(context, doc);
  xmlRelaxNGFreeValidCtxt(context);
  if (!validation.causes.empty()) report.AtFile(CheckRule::SchemaInvalid, validation.causes.front());
  if (result < 0) {
    report.AtFile(CheckRule::SchemaUnreadable, AnsiToUtf8(schemaPath));
    return SchemaVerdict::NotRun;
  }
  return result == 0 ? SchemaVerdict::Valid : SchemaVerdict::Invalid;
}
