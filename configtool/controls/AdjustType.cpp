#include "configtool/controls/AdjustType.h"

void AdjustType::Set(int type) {
  switch (type) {
    case kLeft:
      m_flags &= ~((1 << kRight) | (1 << kMove));
      break;
    case kRight:
      m_flags &= ~((1 << kLeft) | (1 << kMove));
      break;
    case kTop:
      m_flags &= ~((1 << kBottom) | (1 << kMove));
      break;
    case kBottom:
      m_flags &= ~((1 << kTop) | (1 << kMove));
      break;
    case kMove:
      m_flags &= ~((1 << kLeft) | (1 << kRight) | (1 << kTop) | (1 << kBottom));
      break;
    default:
      break;
  }
  if (type >= kVertical && type <= kMove) m_flags |= 1 << type;
}
