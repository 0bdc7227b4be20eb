#include "xml/vxml_options.h"

namespace {

int g_outputLayout = kXmlLayoutCompact;
int g_indentDepth = 0;

}  // namespace

CVXMLOptions& CVXMLOptions::Instance() {
  static CVXMLOptions instance;
  return instance;
}

int GetXmlOutputLayout() { return g_outputLayout; }
void SetXmlOutputLayout(int layout) { g_outputLayout = layout; }
int GetXmlIndentDepth() { return g_indentDepth; }
void SetXmlIndentDepth(int depth) { g_indentDepth = depth; }
