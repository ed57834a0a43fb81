#pragma once
// Frames of the camera control protocol: a 20-byte header and a payload (see PROTOCOL.md).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/camera/protocol/Operation.h"
#include "platform/camera/protocol/Status.h"

namespace camera::protocol {

inline constexpr std::uint8_t kFrameMagic[4] = {'L', 'P', 'R', 'C'};
inline constexpr std::uint8_t kProtocolVersion = 1;
inline constexpr std::size_t kFrameHeaderBytes = 20;
inline constexpr std::uint32_t kMaxPayloadBytes = 16u * 1024u * 1024u;

enum class FrameKind : std::uint8_t { Request = 1, Reply = 2, Event = 3 };

struct FrameHeader {
  FrameKind kind = FrameKind::Request;
  Operation operation = Operation::KeepAlive;
  std::uint32_t sequence = 0;
  Status status = Status::Ok;
  std::uint32_t payloadBytes = 0;
};

struct Frame {
  FrameHeader header;
  std::vector<std::uint8_t> payload;
};

// The whole frame as bytes. The payload must not exceed kMaxPayloadBytes (checked: nullopt).
std::optional<std::vector<std::uint8_t>> EncodeFrame(FrameKind kind, Operation operation, std::uint32_t sequence,
                                                     Status status, std::span<const std::uint8_t> payload);

// Which end of the connection reads: decides which kinds may arrive.
enum class Receiver { Library, Camera };

enum class HeaderError { None, BadMagic, BadVersion, BadKind, UnknownOperation, TooLong, UnexpectedKind, BadSequence,
                         BadStatus };

// Checks one header (exactly kFrameHeaderBytes bytes) for `receiver`.
HeaderError ParseFrameHeader(std::span<const std::uint8_t, kFrameHeaderBytes> bytes, Receiver receiver,
                             FrameHeader& header);

// Splits a byte stream into frames. Once a header fails its checks the stream is broken for good:
// the receiver closes the connection.
class FrameDecoder {
 public:
  explicit FrameDecoder(Receiver receiver) : m_receiver(receiver) {}

  // Appends received bytes. False (and nothing kept) once the stream is broken.
  bool Feed(std::span<const std::uint8_t> bytes);
  // The next complete frame, if one is buffered.
  std::optional<Frame> Next();
  bool Broken() const { return m_error != HeaderError::None; }
  HeaderError Error() const { return m_error; }
  // How many more bytes complete the frame now being received (at least 1 when nothing is buffered).
  std::size_t BytesWanted() const;

 private:
  void ParsePendingHeader();

  Receiver m_receiver;
  std::vector<std::uint8_t> m_buffer;
  std::size_t m_start = 0;
  std::optional<FrameHeader> m_header;
  HeaderError m_error = HeaderError::None;
};

}  // namespace camera::protocol
