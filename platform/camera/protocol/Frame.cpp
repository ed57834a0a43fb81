#include "platform/camera/protocol/Frame.h"

#include <algorithm>
#include <cstring>

#include "platform/camera/protocol/PayloadWriter.h"

namespace camera::protocol {
namespace {

std::uint16_t ReadU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

std::uint32_t ReadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool KindArrivesAt(FrameKind kind, Receiver receiver) {
  if (receiver == Receiver::Camera) return kind == FrameKind::Request;
  return kind == FrameKind::Reply || kind == FrameKind::Event;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodeFrame(FrameKind kind, Operation operation, std::uint32_t sequence,
                                                     Status status, std::span<const std::uint8_t> payload) {
  if (payload.size() > kMaxPayloadBytes) return std::nullopt;
  PayloadWriter writer;
  writer.Bytes(kFrameMagic);
  writer.U8(kProtocolVersion);
  writer.U8(static_cast<std::uint8_t>(kind));
  writer.U16(static_cast<std::uint16_t>(operation));
  writer.U32(sequence);
  writer.I32(static_cast<std::int32_t>(status));
  writer.U32(static_cast<std::uint32_t>(payload.size()));
  writer.Bytes(payload);
  return writer.Take();
}

HeaderError ParseFrameHeader(std::span<const std::uint8_t, kFrameHeaderBytes> bytes, Receiver receiver,
                             FrameHeader& header) {
  const std::uint8_t* p = bytes.data();
  if (std::memcmp(p, kFrameMagic, sizeof kFrameMagic) != 0) return HeaderError::BadMagic;
  if (p[4] != kProtocolVersion) return HeaderError::BadVersion;
  const std::uint8_t kind = p[5];
  if (kind < static_cast<std::uint8_t>(FrameKind::Request) || kind > static_cast<std::uint8_t>(FrameKind::Event)) {
    return HeaderError::BadKind;
  }
  const auto info = DescribeOperation(ReadU16(p + 6));
  if (!info) return HeaderError::UnknownOperation;
  const std::uint32_t length = ReadU32(p + 16);
  if (length > kMaxPayloadBytes) return HeaderError::TooLong;
  FrameHeader parsed;
  parsed.kind = static_cast<FrameKind>(kind);
  parsed.operation = info->operation;
  parsed.sequence = ReadU32(p + 8);
  parsed.status = static_cast<Status>(static_cast<std::int32_t>(ReadU32(p + 12)));
  parsed.payloadBytes = length;
  if (!KindArrivesAt(parsed.kind, receiver)) return HeaderError::UnexpectedKind;
  // Events are exactly the unasked operations; requests and replies never use them.
  if ((parsed.kind == FrameKind::Event) != IsEventOperation(parsed.operation)) return HeaderError::UnexpectedKind;
  if (parsed.kind == FrameKind::Request && parsed.sequence == 0) return HeaderError::BadSequence;
  if (parsed.kind == FrameKind::Event && parsed.sequence != 0) return HeaderError::BadSequence;
  if (parsed.kind != FrameKind::Reply && parsed.status != Status::Ok) return HeaderError::BadStatus;
  header = parsed;
  return HeaderError::None;
}

bool FrameDecoder::Feed(std::span<const std::uint8_t> bytes) {
  if (Broken()) return false;
  // Drop what has been consumed before the buffer grows.
  if (m_start > 0 && m_start == m_buffer.size()) {
    m_buffer.clear();
    m_start = 0;
  } else if (m_start > (1u << 20)) {
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_start));
    m_start = 0;
  }
  m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
  ParsePendingHeader();
  return !Broken();
}

void FrameDecoder::ParsePendingHeader() {
  if (m_header || Broken() || m_buffer.size() - m_start < kFrameHeaderBytes) return;
  FrameHeader header;
  m_error = ParseFrameHeader(std::span<const std::uint8_t, kFrameHeaderBytes>(m_buffer.data() + m_start,
                                                                              kFrameHeaderBytes),
                             m_receiver, header);
  if (Broken()) {
    m_buffer.clear();
    m_start = 0;
    return;
  }
  m_header = header;
}

std::optional<Frame> FrameDecoder::Next() {
  ParsePendingHeader();
  if (!m_header) return std::nullopt;
  const std::size_t available = m_buffer.size() - m_start - kFrameHeaderBytes;
  if (available < m_header->payloadBytes) return std::nullopt;
  Frame frame;
  frame.header = *m_header;
  const auto first = m_buffer.begin() + static_cast<std::ptrdiff_t>(m_start + kFrameHeaderBytes);
  frame.payload.assign(first, first + static_cast<std::ptrdiff_t>(m_header->payloadBytes));
  m_start += kFrameHeaderBytes + m_header->payloadBytes;
  m_header.reset();
  ParsePendingHeader();
  return frame;
}

std::size_t FrameDecoder::BytesWanted() const {
  const std::size_t buffered = m_buffer.size() - m_start;
  if (!m_header) return std::max<std::size_t>(1, kFrameHeaderBytes - std::min(buffered, kFrameHeaderBytes));
  const std::size_t total = kFrameHeaderBytes + m_header->payloadBytes;
  return std::max<std::size_t>(1, total - std::min(buffered, total));
}

}  // namespace camera::protocol
