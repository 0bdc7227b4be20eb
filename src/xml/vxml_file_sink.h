// Where a saved document's text goes: into the file, converted to UTF-8 in XML mode, while the rest
// of the document is still being serialised.
//
// A large feed is serialised in pieces (CVXMLSink); converting and writing a piece takes about as long
// as producing it, so from the second piece on a worker thread converts and writes while the caller
// produces the next one. The bytes are exactly those of the whole text converted at once. A small
// document never reaches a second piece and is written without a thread.
#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "xml/vxml_node.h"

class CCheckedFile;

class CVXMLFileSink : public CVXMLSink {
public:
  // `utf8`: convert internal text to UTF-8 (XML mode); otherwise write it as it is (HTML mode). Either
  // way the text ends at its first zero byte, as a C string would.
  CVXMLFileSink(CCheckedFile& file, bool utf8);
  // Stops the worker (after a failure the caller has already seen, or when an exception left Save).
  ~CVXMLFileSink() override;
  CVXMLFileSink(const CVXMLFileSink&) = delete;
  CVXMLFileSink& operator=(const CVXMLFileSink&) = delete;

  // Takes the piece out of `text` (which gets an empty buffer back). Throws the file's exception when
  // an earlier piece failed to be written.
  void Take(std::string& text) override;
  // Writes the last piece and waits until everything is in the file. Throws the file's exception.
  void Finish(std::string& text);

private:
  void Run();
  void StopWorker();
  // Converts and writes one piece; `last` when no piece follows.
  void WritePiece(std::string_view piece, bool last);

  CCheckedFile& m_file;
  const bool m_utf8;

  // Shared with the worker.
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<std::string> m_queue;   // pieces waiting to be written, in order
  std::vector<std::string> m_spare;  // written pieces' buffers, for reuse
  bool m_finishing = false;          // no piece will follow those in the queue
  bool m_stopping = false;           // drop what is queued and end
  bool m_done = false;               // the worker has written everything
  std::exception_ptr m_failure;
  std::thread m_worker;

  // The writing side's own state (the worker's while it runs).
  bool m_ended = false;              // a zero byte ended the text
  std::string m_carry;               // the start of a character that goes on in the next piece
  std::unique_ptr<char[]> m_converted;
  size_t m_room = 0;
};
