#include "filelist/ConversionList.h"

#include <algorithm>
#include <stdexcept>

#include "settings/TextCase.h"

namespace korrin {
namespace {

// Small enough that a block's records and bytes span few cache lines, large
// enough that the block index stays short.
constexpr std::size_t kBlockCapacity = 256;

// The eight upper-cased bytes of text from `from` on, big-endian, padded
// with zero bytes. For texts sharing their first `from` bytes, a smaller head
// means an earlier text; equal heads decide nothing.
std::uint64_t HeadOf(std::string_view text, std::size_t from) {
  std::uint64_t head = 0;
  for (std::size_t i = from; i < from + 8; ++i) {
    const auto byte = i < text.size() ? static_cast<unsigned char>(ToUpperAscii(text[i])) : 0u;
    head = (head << 8) | byte;
  }
  return head;
}

std::size_t SharedLength(std::string_view a, std::string_view b) {
  const std::size_t limit = std::min(a.size(), b.size());
  std::size_t i = 0;
  while (i < limit && ToUpperAscii(a[i]) == ToUpperAscii(b[i])) ++i;
  return i;
}

bool SharesPrefix(std::string_view text, std::string_view with, std::size_t length) {
  return text.size() >= length && with.size() >= length &&
         EqualsIgnoringCase(text.substr(0, length), with.substr(0, length));
}

// The list's order: ignoring case, and where case tells files apart, the
// bytes decide between paths equal but for it. Heads order paths the same
// way, only more coarsely.
int ComparePaths(std::string_view a, std::string_view b, FileNameCase names) {
  const int order = CompareIgnoringCase(a, b);
  if (order != 0 || names == FileNameCase::Ignored) return order;
  return a.compare(b);
}

// Where path belongs among sorted texts in [low, high): the first index whose
// text does not sort before it, and whether that text equals it (the search
// compared it last, so it is not read again). Before each comparison the
// texts of both possible next probes are asked for ahead, so their memory
// arrives while this one is compared.
struct Bound {
  std::size_t index;
  bool equal;
};

template <typename TextAt, typename Prefetch>
Bound LowerBound(std::size_t low, std::size_t high, std::string_view path, FileNameCase names, TextAt textAt,
                 Prefetch prefetch) {
  bool equal = false;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (low < middle) prefetch(low + (middle - low) / 2);
    if (middle + 1 < high) prefetch(middle + 1 + (high - middle - 1) / 2);
    const int order = ComparePaths(textAt(middle), path, names);
    if (order < 0) {
      low = middle + 1;
    } else {
      high = middle;
      equal = order == 0;
    }
  }
  return {low, equal};
}

}  // namespace

ConversionList::Slot ConversionList::Block::Find(std::string_view path, FileNameCase names) const {
  const Bound bound = korrin::LowerBound(
      0, Size(), path, names, [&](std::size_t i) { return Entry(i); },
      [&](std::size_t i) { __builtin_prefetch(text.data() + spans[i].offset); });
  return {bound.index, bound.equal};
}

void ConversionList::Block::Insert(std::size_t at, std::string_view path) {
  const Span span{static_cast<std::uint32_t>(text.size()), static_cast<std::uint32_t>(path.size())};
  spans.insert(spans.begin() + static_cast<std::ptrdiff_t>(at), span);
  text.append(path);
}

void ConversionList::Block::Erase(std::size_t at) {
  unused += spans[at].length;
  spans.erase(spans.begin() + static_cast<std::ptrdiff_t>(at));
  if (unused > text.size() / 2) Pack();
}

// Rewrites the bytes in entry order, dropping those of removed entries.
void ConversionList::Block::Pack() {
  std::string packed;
  packed.reserve(text.size() - unused);
  for (Span& span : spans) {
    const auto offset = static_cast<std::uint32_t>(packed.size());
    packed.append(text, span.offset, span.length);
    span.offset = offset;
  }
  text.swap(packed);
  unused = 0;
}

ConversionList::Block ConversionList::Block::TakeUpperHalf() {
  Block upper;
  const std::size_t middle = Size() / 2;
  for (std::size_t i = middle; i < Size(); ++i) {
    upper.Insert(i - middle, Entry(i));
    unused += spans[i].length;
  }
  spans.resize(middle);
  Pack();
  return upper;
}

// The first block whose last entry does not sort before the path; the last
// block when the path sorts after every entry.
std::size_t ConversionList::FindBlock(std::string_view path) const {
  std::size_t low = 0;
  std::size_t high = blocks_.size();
  if (SharesPrefix(path, blocks_.front().Entry(0), shared_)) {
    // Heads order the blocks without reading their paths; only blocks whose
    // head equals the path's need a look at the path itself.
    const std::uint64_t head = HeadOf(path, shared_);
    const auto [first, last] = std::equal_range(lastHeads_.begin(), lastHeads_.end(), head);
    low = static_cast<std::size_t>(first - lastHeads_.begin());
    high = static_cast<std::size_t>(last - lastHeads_.begin());
  }
  const Bound block = LowerBound(
      low, high, path, names_, [&](std::size_t b) { return blocks_[b].Last(); }, [](std::size_t) {});
  return std::min(block.index, blocks_.size() - 1);
}

ConversionList::Place ConversionList::FindPlace(std::string_view path) const {
  if (blocks_.empty()) return {0, 0, false};
  // A folder walk adds its paths in the list's order: one comparison with
  // the last entry places each of them.
  const std::size_t last = blocks_.size() - 1;
  if (ComparePaths(blocks_[last].Last(), path, names_) < 0) return {last, blocks_[last].Size(), false};
  const std::size_t block = FindBlock(path);
  const Slot slot = blocks_[block].Find(path, names_);
  return {block, slot.offset, slot.found};
}

std::size_t ConversionList::RowOf(Place place) const {
  std::size_t row = place.offset;
  for (std::size_t b = 0; b < place.block; ++b) row += blocks_[b].Size();
  return row;
}

ConversionList::Place ConversionList::PlaceOfRow(std::size_t row) const {
  if (row >= count_) throw std::out_of_range("ConversionList row " + std::to_string(row));
  Cursor at = row >= cursor_.firstRow && cursor_.block < blocks_.size() ? cursor_ : Cursor{};
  while (row - at.firstRow >= blocks_[at.block].Size()) at.firstRow += blocks_[at.block++].Size();
  cursor_ = at;
  return {at.block, row - at.firstRow, true};
}

std::string_view ConversionList::At(std::size_t row) const {
  const Place place = PlaceOfRow(row);
  return blocks_[place.block].Entry(place.offset);
}

std::vector<std::string> ConversionList::Entries() const {
  std::vector<std::string> entries;
  entries.reserve(count_);
  for (const Block& block : blocks_) {
    for (std::size_t i = 0; i < block.Size(); ++i) entries.emplace_back(block.Entry(i));
  }
  return entries;
}

bool ConversionList::Contains(std::string_view path) const { return FindPlace(path).found; }

bool ConversionList::Add(std::string_view path) {
  if (path.size() > kLongestPath) return false;
  const Place place = FindPlace(path);
  if (place.found) return false;
  if (listener_ != nullptr) listener_->BeforeInsert(RowOf(place));
  cursor_ = {};

  // When the path shares the prefix every entry shares, the heads of the
  // other blocks stay as they are.
  const bool keeps_shared = count_ > 0 && SharesPrefix(path, blocks_.front().Entry(0), shared_);
  if (blocks_.empty()) blocks_.emplace_back();
  // Paths added in the list's order, as a folder walk adds them, fill their
  // blocks: past the end of a full last block the path starts the next one.
  const bool appended = place.block + 1 == blocks_.size() && place.offset == blocks_[place.block].Size();
  bool split = false;
  if (appended && place.offset + 1 >= kBlockCapacity) {
    blocks_.emplace_back().Insert(0, path);
    split = true;
  } else {
    blocks_[place.block].Insert(place.offset, path);
    split = blocks_[place.block].Size() >= kBlockCapacity;
    if (split) {
      blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(place.block) + 1,
                     blocks_[place.block].TakeUpperHalf());
    }
  }
  ++count_;
  UpdateHeads(place.block, split, keeps_shared);

  if (listener_ != nullptr) listener_->AfterInsert();
  return true;
}

void ConversionList::UpdateHeads(std::size_t b, bool split, bool keepsShared) {
  if (!keepsShared) {
    shared_ = SharedLength(blocks_.front().Entry(0), blocks_.back().Last());
    lastHeads_.resize(blocks_.size());
    for (std::size_t i = 0; i < blocks_.size(); ++i) lastHeads_[i] = HeadOf(blocks_[i].Last(), shared_);
    return;
  }
  if (split) lastHeads_.insert(lastHeads_.begin() + static_cast<std::ptrdiff_t>(b) + 1, 0);
  for (std::size_t changed = b; changed <= b + (split ? 1 : 0); ++changed) {
    lastHeads_[changed] = HeadOf(blocks_[changed].Last(), shared_);
  }
}

void ConversionList::RemoveAt(std::size_t row) {
  const Place place = PlaceOfRow(row);
  if (listener_ != nullptr) listener_->BeforeRemove(row);
  cursor_ = {};
  Block& block = blocks_[place.block];
  block.Erase(place.offset);
  --count_;
  // The entries left still share what they shared: only a last head changes.
  if (block.Size() == 0) {
    blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(place.block));
    lastHeads_.erase(lastHeads_.begin() + static_cast<std::ptrdiff_t>(place.block));
  } else {
    lastHeads_[place.block] = HeadOf(block.Last(), shared_);
  }
  if (listener_ != nullptr) listener_->AfterRemove();
}

void ConversionList::Clear() {
  if (listener_ != nullptr) listener_->BeforeClear();
  blocks_.clear();
  lastHeads_.clear();
  cursor_ = {};
  shared_ = 0;
  count_ = 0;
  if (listener_ != nullptr) listener_->AfterClear();
}

}  // namespace korrin
