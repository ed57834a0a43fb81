#pragma once
// AdjustType: what a drag on a time-period bar changes, as bits: 0 the rows may change, 1 the left
// end, 2 the right end, 3 the top edge, 4 the bottom edge, 5 the whole bar moves. Setting a type
// first clears the bits that exclude it.

#include <cstdint>

class AdjustType {
 public:
  enum Type { kVertical = 0, kLeft = 1, kRight = 2, kTop = 3, kBottom = 4, kMove = 5 };

  virtual ~AdjustType() = default;
  virtual void Set(int type);

  void Reset() { m_flags = 0; }
  bool Has(int type) const { return (m_flags & (1 << type)) != 0; }
  void Clear(int type) { m_flags &= ~(1 << type); }
  bool IsSet() const { return m_flags != 0; }

 private:
  std::int32_t m_flags = 0;
};
