#include "xml/vxml_file_sink.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/sjis.h"
#include "platform/text_codec.h"
#include "platform/checked_file.h"

namespace {

// Pieces in the queue at most: enough to keep both threads busy, little memory.
constexpr size_t kQueueLimit = 2;

}  // namespace

CVXMLFileSink::CVXMLFileSink(CCheckedFile& file, bool utf8) : m_file(file), m_utf8(utf8) {}

CVXMLFileSink::~CVXMLFileSink() { StopWorker(); }

void CVXMLFileSink::StopWorker() {
  if (!m_worker.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stopping = true;
  }
  m_changed.notify_all();
  m_worker.join();
}

void CVXMLFileSink::Take(std::string& text) {
  std::string piece;
  std::unique_lock<std::mutex> lock(m_mutex);
  if (m_failure) std::rethrow_exception(m_failure);
  m_changed.wait(lock, [&] { return m_queue.size() < kQueueLimit || m_failure; });
  if (m_failure) std::rethrow_exception(m_failure);
  if (!m_spare.empty()) {
    piece = std::move(m_spare.back());
    m_spare.pop_back();
  }
  piece.clear();
  piece.swap(text);
  m_queue.push_back(std::move(piece));
  lock.unlock();
  m_changed.notify_all();
  if (!m_worker.joinable()) {
    m_worker = std::thread(&CVXMLFileSink::Run, this);
  } else {
    // The file is flushed to disk when it is closed; starting that with what the worker has written
    // so far leaves less to wait for then. Done here, as the worker has more to do than this thread.
    m_file.StartWriteback();
  }
}

void CVXMLFileSink::Finish(std::string& text) {
  if (!m_worker.joinable()) {
    // Everything fitted in one piece: no thread.
    WritePiece(text, true);
    text.clear();
    return;
  }
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_queue.push_back(std::move(text));
    m_finishing = true;
  }
  m_changed.notify_all();
  {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return m_done; });
  }
  m_worker.join();
  text.clear();
  if (m_failure) std::rethrow_exception(m_failure);
}

void CVXMLFileSink::Run() {
  for (;;) {
    std::string piece;
    bool last = false;
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      m_changed.wait(lock, [&] { return !m_queue.empty() || m_stopping; });
      if (m_stopping) break;
      piece = std::move(m_queue.front());
      m_queue.pop_front();
      last = m_finishing && m_queue.empty();
    }
    m_changed.notify_all();  // room in the queue
    try {
      WritePiece(piece, last);
    } catch (...) {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_failure = std::current_exception();
      m_done = true;
      m_queue.clear();
      break;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_spare.push_back(std::move(piece));
    if (last) {
      m_done = true;
      break;
    }
  }
  m_changed.notify_all();
}

void CVXMLFileSink::WritePiece(std::string_view piece, bool last) {
  if (m_ended) return;
  if (const void* zero = std::memchr(piece.data(), '\0', piece.size())) {
    piece = piece.substr(0, static_cast<size_t>(static_cast<const char*>(zero) - piece.data()));
    m_ended = true;
    last = true;
  }
  if (!m_utf8) {
    m_file.Write(piece);
    return;
  }
  // The carried bytes and the piece, converted in two calls that may each store ahead.
  const size_t room = Utf8RoomFor(piece.size() + m_carry.size()) + 8;
  if (room > m_room) {
    m_converted.reset(new char[room]);
    m_room = room;
  }
  char* out = m_converted.get();
  size_t total = 0;
  size_t start = 0;
  if (!m_carry.empty()) {
    // The bytes the previous piece left (a character it cut short) go with this piece's first bytes,
    // as they would have in one text; what they do not make into a character is converted again with
    // the rest of the piece.
    if (piece.empty() && !last) return;  // still waiting for the bytes after them
    const size_t carried = m_carry.size();
    const size_t taken = std::min(piece.size(), kCarriedLength - 1);  // enough to end any character
    std::string joined = m_carry;
    joined.append(piece.data(), taken);
    m_carry.clear();
    size_t written = 0;
    const size_t used = ConvertAnsiToUtf8(joined, !last || piece.size() > taken, out, written);
    total += written;
    if (used < carried) {
      // The piece was too short to end the character: all of it waits with the carried bytes.
      m_carry = joined.substr(used);
      m_file.Write(std::string_view(out, total));
      return;
    }
    start = used - carried;
  }
  size_t written = 0;
  const std::string_view rest = piece.substr(start);
  const size_t used = ConvertAnsiToUtf8(rest, !last, out + total, written);
  total += written;
  if (used < rest.size()) m_carry.assign(rest.substr(used));  // a character cut short at the very end
  m_file.Write(std::string_view(out, total));
}
