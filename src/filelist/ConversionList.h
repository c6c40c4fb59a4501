#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/PathText.h"

namespace korrin {

// The full paths of the next run, kept in ascending order ignoring case; a
// run processes them first to last. No two entries name one file by the
// platform's rule for letter case: where case tells files apart,
// "/data/Proj/a.ipt" and "/data/proj/a.ipt" are both kept, the one with the
// smaller bytes first; where it is ignored, the second is not added.
//
// Lists of a hundred thousand dropped files must stay quick. Entries live in
// sorted blocks of bounded size, each keeping its paths' bytes in one buffer
// of its own, so finding a path's place reads a few nearby cache lines and
// adding it shifts a few small records, never the whole list. The blocks are
// found through the "head" of their last entry: eight upper-cased bytes just
// past the prefix every entry shares, compared as one number.
class ConversionList {
 public:
  // Told of every change, so a view over the list can follow it row by row.
  class Listener {
   public:
    virtual ~Listener() = default;
    virtual void BeforeInsert(std::size_t row) = 0;
    virtual void AfterInsert() = 0;
    virtual void BeforeRemove(std::size_t row) = 0;
    virtual void AfterRemove() = 0;
    virtual void BeforeClear() = 0;
    virtual void AfterClear() = 0;
  };

  explicit ConversionList(FileNameCase names = kNativeFileNameCase) : names_(names) {}

  void SetListener(Listener* listener) { listener_ = listener; }

  std::size_t Count() const { return count_; }
  bool IsEmpty() const { return count_ == 0; }
  // The entry of a row; the text stays valid until the list changes.
  std::string_view At(std::size_t row) const;
  std::vector<std::string> Entries() const;

  // True when an entry names the same file as the path.
  bool Contains(std::string_view path) const;
  // No file system takes a longer path; the list refuses such text.
  static constexpr std::size_t kLongestPath = 65535;

  // Adds the path at its place in the order; false when it is already there
  // or longer than any path can be.
  bool Add(std::string_view path);
  void RemoveAt(std::size_t row);
  void Clear();

 private:
  // Small, so inserting shifts little; a block's bytes stay far below 4 GiB
  // since paths are bounded by kLongestPath.
  struct Span {
    std::uint32_t offset;
    std::uint32_t length;
  };
  struct Slot {
    std::size_t offset;
    bool found;  // an entry equal to the path stands there
  };
  // Sorted entries whose bytes sit in one buffer; removed entries leave
  // their bytes behind until the block is packed.
  struct Block {
    std::string text;
    std::vector<Span> spans;
    std::size_t unused = 0;

    std::string_view Entry(std::size_t i) const { return {text.data() + spans[i].offset, spans[i].length}; }
    std::string_view Last() const { return Entry(spans.size() - 1); }
    std::size_t Size() const { return spans.size(); }
    // Where path belongs in the block, and whether it is there already.
    Slot Find(std::string_view path, FileNameCase names) const;
    void Insert(std::size_t at, std::string_view path);
    void Erase(std::size_t at);
    Block TakeUpperHalf();
    void Pack();
  };
  struct Place {
    std::size_t block;
    std::size_t offset;
    bool found;  // an entry equal to the path stands there
  };

  Place FindPlace(std::string_view path) const;
  std::size_t FindBlock(std::string_view path) const;
  std::size_t RowOf(Place place) const;
  Place PlaceOfRow(std::size_t row) const;
  void UpdateHeads(std::size_t block, bool split, bool keepsShared);

  std::vector<Block> blocks_;
  // The head of every block's last entry, taken past the first `shared_`
  // bytes, which every entry of the list shares ignoring case.
  std::vector<std::uint64_t> lastHeads_;
  std::size_t shared_ = 0;
  std::size_t count_ = 0;
  // The block of the row last read and its first row: a run, a view and a
  // dry run read the list in order, and then find each row at once. A change
  // of the list puts it back at the start.
  struct Cursor {
    std::size_t block = 0;
    std::size_t firstRow = 0;
  };
  mutable Cursor cursor_;
  FileNameCase names_;
  Listener* listener_ = nullptr;
};

}  // namespace korrin
