// Each document makes its nodes in an arena of its own and gives that memory back to the system when it
// goes; its nodes never leave it. Under AddressSanitizer, memory the arena has not handed out is
// poisoned.
#include <string>
#include <thread>
#include <vector>

#include "support/test_env.h"
#include "tree_dump.h"
#include "xml/vxml.h"
#include "xml/vxml_arena.h"

namespace {

class XmlArena : public VamelTest {};

constexpr std::size_t kChunk = CVXMLArena::kChunkBytes;

// An item as the feed writers make it: a few elements with text, an attribute and some CDATA.
void AppendItem(CVXMLElement& parent, int i) {
  CVXMLElement* item = parent.AppendNew<CVXMLElement>();
  item->SetNodeName("item");
  item->SetAttribute("n", std::to_string(i));
  item->AppendNew<CVXMLElement>()->SetNodeName("title");
  item->GetLastChild()->SetNodeValue("Item " + std::to_string(i));
  CVXMLElement* content = item->AppendNew<CVXMLElement>();
  content->SetNodeName("content");
  content->AppendNew<CVXMLCDATASection>()->AssignValue(std::string(200, 'c') + std::to_string(i));
}

std::unique_ptr<CVXMLDocument> MakeDocument(int items) {
  auto doc = std::make_unique<CVXMLDocument>(kXmlIndented);
  CVXMLElement* root = doc->CreateElement("channel");
  doc->AppendChild(root);
  for (int i = 0; i < items; ++i) AppendItem(*root, i);
  return doc;
}

}  // namespace

TEST_F(XmlArena, BuiltAndLoadedDocumentsGiveTheirMemoryBack) {
  const CVXMLArenaCounters before = VXMLArenaGetCounters();
  VXMLArenaResetPeak();
  auto doc = MakeDocument(40000);
  const CVXMLArenaCounters built = VXMLArenaGetCounters();
  EXPECT_GE(built.bytesHeld, before.bytesHeld + 4 * kChunk);
  EXPECT_GE(built.blocksInUse, before.blocksInUse + 40000 * 6);
  EXPECT_EQ(built.arenas, before.arenas + 1);
  const std::string text = doc->GetXml(kXmlCompact);
  doc.reset();
  CVXMLArenaCounters after = VXMLArenaGetCounters();
  EXPECT_EQ(after.blocksInUse, before.blocksInUse);
  EXPECT_EQ(after.arenas, before.arenas);
  // What stays is at most the one chunk kept for the next document.
  EXPECT_LE(after.bytesHeld, before.bytesHeld + kChunk);
  EXPECT_GE(after.peakBytesHeld, built.bytesHeld);

  // A loaded tree (its names and values point into the document's text) goes the same way.
  auto loaded = std::make_unique<CVXMLDocument>();
  loaded->LoadText(text);
  EXPECT_EQ(loaded->GetDocumentElement()->GetChildNodes()->GetCount(), 40000);
  EXPECT_GT(VXMLArenaGetCounters().blocksInUse, before.blocksInUse + 40000 * 6);
  loaded.reset();
  after = VXMLArenaGetCounters();
  EXPECT_EQ(after.blocksInUse, before.blocksInUse);
  EXPECT_LE(after.bytesHeld, before.bytesHeld + kChunk);
}

TEST_F(XmlArena, FreedBlocksAreUsedAgainWhileTheDocumentLives) {
  auto doc = MakeDocument(1000);
  CVXMLElement* root = doc->GetDocumentElement();
  const CVXMLArenaCounters built = VXMLArenaGetCounters();
  // Content replaced again and again, nodes deleted and made anew: the arena does not grow.
  for (int round = 0; round < 200; ++round) {
    for (CVXMLNode* item : *root->GetChildNodes()) {
      static_cast<CVXMLElement*>(item)->GetElementsByTagName("title").Item(0)->SetNodeValue(
          "<b>Round " + std::to_string(round) + "</b> text");
    }
    delete root->GetLastChild();
    AppendItem(*root, round);
  }
  const CVXMLArenaCounters after = VXMLArenaGetCounters();
  EXPECT_EQ(after.bytesHeld, built.bytesHeld);
  EXPECT_EQ(root->GetChildNodes()->GetCount(), 1000);
}

TEST_F(XmlArena, NodesNeverLeaveTheirDocument) {
  const CVXMLArenaCounters before = VXMLArenaGetCounters();
  auto doc = MakeDocument(2000);
  CVXMLElement* root = doc->GetDocumentElement();
  CVXMLNode* item = root->GetChildNodes()->Item(5);
  EXPECT_EQ(item->GetArena(), doc->GetArena());
  // Not into another document, nor into a tree of the heap: both may outlive this document.
  auto other = std::make_unique<CVXMLDocument>();
  EXPECT_EQ(other->AppendChild(item), nullptr);
  CVXMLElement holder("holder", "");
  EXPECT_EQ(holder.AppendChild(item), nullptr);
  EXPECT_FALSE(holder.HasChildNodes());
  EXPECT_EQ(item->GetParentNode(), root);
  // Within the document a node moves freely; a node of the heap may join it, and goes with it.
  EXPECT_EQ(root->GetChildNodes()->Item(7)->AppendChild(item), item);
  root->AppendChild(new CVXMLElement("heap", "made with new"));
  // A node that was never appended goes with the document too, its long value with it (no leak).
  CVXMLElement* loose = doc->CreateElement("loose", std::string(100000, 'x'));
  EXPECT_EQ(loose->GetText().size(), 100000u);
  // A copy is a node of the heap and outlives the document.
  std::unique_ptr<CVXMLNode> clone(item->CloneNode());
  doc.reset();
  other.reset();
  EXPECT_EQ(Dump(*clone), "item[n=5](title(\"Item 5\"),content(C\"" + std::string(200, 'c') + "5\"))");
  const CVXMLArenaCounters after = VXMLArenaGetCounters();
  EXPECT_EQ(after.blocksInUse, before.blocksInUse);
  EXPECT_LE(after.bytesHeld, before.bytesHeld + kChunk);
}

TEST_F(XmlArena, DocumentsOnSeveralThreadsAtOnce) {
  // Each thread builds, writes and drops documents of its own; nothing is shared but the counters.
  const CVXMLArenaCounters before = VXMLArenaGetCounters();
  std::vector<std::string> written(2);
  std::vector<std::thread> threads;
  for (size_t t = 0; t < written.size(); ++t) {
    threads.emplace_back([&written, t] {
      for (int round = 0; round < 20; ++round) written[t] = MakeDocument(3000)->GetXml(kXmlCompact);
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(written[0], written[1]);
  EXPECT_EQ(written[0], MakeDocument(3000)->GetXml(kXmlCompact));
  const CVXMLArenaCounters after = VXMLArenaGetCounters();
  EXPECT_EQ(after.blocksInUse, before.blocksInUse);
  EXPECT_EQ(after.arenas, before.arenas);
  EXPECT_LE(after.bytesHeld, before.bytesHeld + kChunk);
}

#if defined(__SANITIZE_ADDRESS__)
TEST_F(XmlArena, PoisonCatchesUseAfterFreeAndOverflows) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        CVXMLDocument doc;
        CVXMLTextNode* node = doc.Create<CVXMLTextNode>();
        node->AssignValue("x");
        volatile char* bytes = reinterpret_cast<volatile char*>(node);
        delete node;
        (void)bytes[8];
      },
      "use-after-poison");
  EXPECT_DEATH(
      {
        CVXMLArena arena;
        volatile char* block = static_cast<volatile char*>(arena.Allocate(20));
        (void)block[20];  // past the size asked for, inside the block's class
      },
      "use-after-poison");
  EXPECT_DEATH(
      {
        // A document's memory is gone with it: a node kept beyond it is caught.
        CVXMLElement* kept = nullptr;
        {
          CVXMLDocument doc;
          kept = doc.CreateElement("kept");
        }
        volatile char* bytes = reinterpret_cast<volatile char*>(kept);
        (void)bytes[0];
      },
      "use-after-poison|SEGV");
}
#endif
