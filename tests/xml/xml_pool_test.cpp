// The node pool gives its slabs back to the system when the trees using them go, whichever thread built
// or freed the nodes; under AddressSanitizer, memory it has not handed out is poisoned.
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/test_env.h"
#include "tree_dump.h"
#include "xml/vxml.h"
#include "xml/vxml_pool.h"

namespace {

class XmlPool : public VamelTest {};

constexpr std::size_t kSlab = kVXMLPoolSlabBytes;

// An item as the feed writers make it: a few elements with text, an attribute and some CDATA.
std::unique_ptr<CVXMLElement> MakeItem(int i) {
  auto item = std::make_unique<CVXMLElement>("item", std::string());
  item->SetAttribute("n", std::to_string(i));
  item->AppendChild(new CVXMLElement("title", "Item " + std::to_string(i)));
  item->AppendChild(new CVXMLElement("link", "https://example.jp/" + std::to_string(i) + ".html"));
  auto* content = new CVXMLElement("content", std::string());
  content->AppendChild(new CVXMLCDATASection(std::string(200, 'c') + std::to_string(i)));
  item->AppendChild(content);
  return item;
}

std::unique_ptr<CVXMLDocument> MakeDocument(int items) {
  auto doc = std::make_unique<CVXMLDocument>(kXmlIndented);
  CVXMLElement* root = doc->CreateElement("channel");
  doc->AppendChild(root);
  for (int i = 0; i < items; ++i) root->AppendChild(MakeItem(i));
  return doc;
}

}  // namespace

TEST_F(XmlPool, BuiltAndLoadedTreesGiveTheirSlabsBack) {
  const CVXMLPoolCounters before = VXMLPoolGetCounters();
  VXMLPoolResetPeak();
  auto doc = MakeDocument(40000);
  const CVXMLPoolCounters built = VXMLPoolGetCounters();
  EXPECT_GE(built.bytesHeld, before.bytesHeld + 8 * kSlab);
  EXPECT_GE(built.blocksInUse, before.blocksInUse + 40000 * 8);
  const std::string text = doc->GetXml(kXmlCompact);
  doc.reset();
  CVXMLPoolCounters after = VXMLPoolGetCounters();
  EXPECT_EQ(after.blocksInUse, before.blocksInUse);
  // What stays is at most the slab this thread fills next.
  EXPECT_LE(after.bytesHeld, before.bytesHeld + kSlab);
  EXPECT_GE(after.peakBytesHeld, built.bytesHeld);

  // A loaded tree (its names and values point into the document's text) goes the same way, and the
  // memory of the first tree is used again rather than taken anew.
  auto loaded = std::make_unique<CVXMLDocument>();
  loaded->LoadText(text);
  EXPECT_EQ(loaded->GetDocumentElement()->GetChildNodes()->GetCount(), 40000);
  EXPECT_GT(VXMLPoolGetCounters().blocksInUse, before.blocksInUse + 40000 * 8);
  loaded.reset();
  after = VXMLPoolGetCounters();
  EXPECT_EQ(after.blocksInUse, before.blocksInUse);
  EXPECT_LE(after.bytesHeld, before.bytesHeld + kSlab);
}

TEST_F(XmlPool, NodesThatOutliveTheirTreeKeepOnlyTheirOwnSlabs) {
  const CVXMLPoolCounters before = VXMLPoolGetCounters();
  auto doc = MakeDocument(20000);
  CVXMLElement* root = doc->GetDocumentElement();
  // A clone, a node moved into another document, and a node taken out and kept on its own.
  std::unique_ptr<CVXMLNode> clone(root->GetChildNodes()->Item(10)->CloneNode());
  CVXMLNode* moved = root->GetChildNodes()->Item(5);
  CVXMLNode* detached = root->GetChildNodes()->Item(19000);
  auto other = std::make_unique<CVXMLDocument>();
  other->AppendChild(moved);
  auto holder = std::make_unique<CVXMLElement>("holder", std::string());
  holder->AppendChild(detached);
  doc.reset();
  const CVXMLPoolCounters kept = VXMLPoolGetCounters();
  EXPECT_GT(kept.blocksInUse, before.blocksInUse);
  // Three survivors keep at most their slabs, besides the one being filled.
  EXPECT_LE(kept.bytesHeld, before.bytesHeld + 4 * kSlab);
  EXPECT_EQ(Dump(*clone), "item[n=10](title(\"Item 10\"),link(\"https://example.jp/10.html\"),content(C\"" +
                              std::string(200, 'c') + "10\"))");
  EXPECT_EQ(other->GetDocumentElement()->GetAttribute("n"), "5");
  EXPECT_EQ(static_cast<CVXMLElement*>(holder->GetChildNodes()->Item(0))->GetAttribute("n"), "19000");
  clone.reset();
  holder.reset();
  other.reset();
  const CVXMLPoolCounters after = VXMLPoolGetCounters();
  EXPECT_EQ(after.blocksInUse, before.blocksInUse);
  EXPECT_LE(after.bytesHeld, before.bytesHeld + kSlab);
}

TEST_F(XmlPool, NodesOfAHelperThreadGoBackWhenThisThreadFreesThem) {
  // As the feed writers do: a helper builds items and ends; this thread puts them in its tree and
  // frees them with it.
  const CVXMLPoolCounters before = VXMLPoolGetCounters();
  std::vector<std::unique_ptr<CVXMLElement>> made(20000);
  std::thread helper([&] {
    for (size_t i = 0; i < made.size(); ++i) made[i] = MakeItem(static_cast<int>(i));
  });
  helper.join();
  EXPECT_GE(VXMLPoolGetCounters().bytesHeld, before.bytesHeld + 4 * kSlab);
  auto doc = MakeDocument(0);
  for (auto& item : made) doc->GetDocumentElement()->AppendChild(item.release());
  EXPECT_EQ(doc->GetDocumentElement()->GetChildNodes()->GetCount(), 20000);
  doc.reset();
  const CVXMLPoolCounters after = VXMLPoolGetCounters();
  EXPECT_EQ(after.blocksInUse, before.blocksInUse);
  EXPECT_LE(after.bytesHeld, before.bytesHeld + kSlab);
}

TEST_F(XmlPool, FreesIntoTheSlabsOfARunningThreadAreCounted) {
  // A helper builds items and waits while this thread frees them; its slabs go back when it looks
  // again (here: when it ends).
  const CVXMLPoolCounters before = VXMLPoolGetCounters();
  std::mutex mutex;
  std::condition_variable changed;
  int phase = 0;  // 1: items built, 2: items freed
  std::vector<std::unique_ptr<CVXMLElement>> made(20000);
  std::thread helper([&] {
    for (size_t i = 0; i < made.size(); ++i) made[i] = MakeItem(static_cast<int>(i));
    std::unique_lock<std::mutex> lock(mutex);
    phase = 1;
    changed.notify_all();
    changed.wait(lock, [&] { return phase == 2; });
    // Building again after the frees: the emptied slabs are found and given back first.
    std::unique_ptr<CVXMLElement> more[100];
    for (int i = 0; i < 100; ++i) more[i] = MakeItem(i);
  });
  {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return phase == 1; });
  }
  made.clear();
  EXPECT_EQ(VXMLPoolGetCounters().blocksInUse, before.blocksInUse);
  {
    std::lock_guard<std::mutex> lock(mutex);
    phase = 2;
    changed.notify_all();
  }
  helper.join();
  const CVXMLPoolCounters after = VXMLPoolGetCounters();
  EXPECT_EQ(after.blocksInUse, before.blocksInUse);
  EXPECT_LE(after.bytesHeld, before.bytesHeld + kSlab);
}

#if defined(__SANITIZE_ADDRESS__)
TEST_F(XmlPool, PoisonCatchesUseAfterFreeAndOverflows) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        auto* node = new CVXMLTextNode("x");
        volatile char* bytes = reinterpret_cast<volatile char*>(node);
        delete node;
        (void)bytes[8];
      },
      "use-after-poison");
  EXPECT_DEATH(
      {
        volatile char* block = static_cast<volatile char*>(VXMLPoolAllocate(20));
        (void)block[20];  // past the size asked for, inside the block's class
      },
      "use-after-poison");
}
#endif
