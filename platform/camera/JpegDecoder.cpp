#include "platform/camera/JpegDecoder.h"

#include <turbojpeg.h>

#include <cstdio>
#include <memory>

#include "platform/os/File.h"

namespace camera {
namespace {

// Clips are camera pictures; anything larger is not one and would only cost memory.
constexpr int kMaxPictureDimension = 8192;

int AlignUp(int value, int alignment) { return (value + alignment - 1) / alignment * alignment; }

// Room for one more byte than a row holds, as the frame callback promises.
int PaddedStride(int rowBytes) { return AlignUp(rowBytes + 1, 32); }

struct TjHandleDeleter {
  void operator()(void* handle) const {
    if (handle != nullptr) tjDestroy(handle);
  }
};

struct TjBufferDeleter {
  void operator()(unsigned char* buffer) const { tjFree(buffer); }
};

}  // namespace

int ReducedSide(int side, int reduction) { return TJSCALED(side, (tjscalingfactor{1, reduction})); }

void BgraPicture::Reshape(int newWidth, int newHeight) {
  width = newWidth;
  height = newHeight;
  stride = newWidth * 4;
  pixels.resize(static_cast<std::size_t>(stride) * newHeight);
}

void I420Planes::Reshape(int newWidth, int newHeight) {
  width = newWidth;
  height = newHeight;
  yStride = AlignUp(newWidth, 32);
  cStride = AlignUp((newWidth + 1) / 2, 32);
  bytes.resize(static_cast<std::size_t>(yStride) * newHeight + 2 * static_cast<std::size_t>(cStride) * ChromaHeight());
}

JpegDecoder::JpegDecoder() : m_handle(tjInitDecompress()) {}

JpegDecoder::~JpegDecoder() {
  if (m_handle != nullptr) tjDestroy(m_handle);
}

bool JpegDecoder::HeaderMatches(std::span<const std::uint8_t> jpeg, int width, int height, int* subsampling) {
  if (m_handle == nullptr || jpeg.empty()) return false;
  int actualWidth = 0;
  int actualHeight = 0;
  int colorspace = 0;
  if (tjDecompressHeader3(m_handle, jpeg.data(), static_cast<unsigned long>(jpeg.size()), &actualWidth,
                          &actualHeight, subsampling, &colorspace) != 0) {
    return false;
  }
  return actualWidth == width && actualHeight == height;
}

std::optional<I420Picture> JpegDecoder::DecodeI420(std::span<const std::uint8_t> jpeg, int width, int height) {
  int subsampling = -1;
  if (!HeaderMatches(jpeg, width, height, &subsampling) || subsampling != TJSAMP_420) return std::nullopt;
  const int chromaWidth = tjPlaneWidth(1, width, TJSAMP_420);
  const int chromaHeight = tjPlaneHeight(1, height, TJSAMP_420);
  const int yStride = PaddedStride(width);
  const int cStride = PaddedStride(chromaWidth);
  const std::size_t ySize = static_cast<std::size_t>(yStride) * height;
  const std::size_t cSize = static_cast<std::size_t>(cStride) * chromaHeight;
  I420Picture picture;
  picture.bytes.assign(ySize + 2 * cSize, 0);
  unsigned char* planes[3] = {picture.bytes.data(), picture.bytes.data() + ySize, picture.bytes.data() + ySize + cSize};
  int strides[3] = {yStride, cStride, cStride};
  if (tjDecompressToYUVPlanes(m_handle, jpeg.data(), static_cast<unsigned long>(jpeg.size()), planes, width,
                              strides, height, 0) != 0) {
    return std::nullopt;
  }
  picture.frame = CameraClientFrame{planes[0], planes[1], planes[2], yStride, cStride, cStride, width, height};
  return picture;
}

std::optional<int> JpegDecoder::Subsampling(std::span<const std::uint8_t> jpeg, int width, int height) {
  int subsampling = -1;
  if (!HeaderMatches(jpeg, width, height, &subsampling)) return std::nullopt;
  return subsampling;
}

bool JpegDecoder::DecodeReducedI420(std::span<const std::uint8_t> jpeg, int width, int height, int reduction,
                                    I420Planes& out) {
  out.Reshape(ReducedSide(width, reduction), ReducedSide(height, reduction));
  unsigned char* planes[3] = {out.Y(), out.U(), out.V()};
  int strides[3] = {out.yStride, out.cStride, out.cStride};
  return tjDecompressToYUVPlanes(m_handle, jpeg.data(), static_cast<unsigned long>(jpeg.size()), planes, out.width,
                                 strides, out.height, 0) == 0;
}

bool JpegDecoder::DecodeReducedBgra(std::span<const std::uint8_t> jpeg, int width, int height, int reduction,
                                    BgraPicture& out) {
  out.Reshape(ReducedSide(width, reduction), ReducedSide(height, reduction));
  return tjDecompress2(m_handle, jpeg.data(), static_cast<unsigned long>(jpeg.size()), out.pixels.data(), out.width,
                       out.stride, out.height, TJPF_BGRA, 0) == 0;
}

bool WriteJpegFile(std::span<const std::uint8_t> jpeg, const char* path, int quality) {
  if (path == nullptr || *path == '\0' || quality < 1 || quality > 100 || jpeg.empty()) return false;
  std::unique_ptr<void, TjHandleDeleter> decompressor(tjInitDecompress());
  std::unique_ptr<void, TjHandleDeleter> compressor(tjInitCompress());
  if (!decompressor || !compressor) return false;
  int width = 0;
  int height = 0;
  int subsampling = 0;
  int colorspace = 0;
  const auto size = static_cast<unsigned long>(jpeg.size());
  if (tjDecompressHeader3(decompressor.get(), jpeg.data(), size, &width, &height, &subsampling, &colorspace) != 0) {
    return false;
  }
  if (width < 1 || height < 1 || width > kMaxPictureDimension || height > kMaxPictureDimension) return false;
  if (subsampling == TJSAMP_GRAY) subsampling = TJSAMP_420;
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
  if (tjDecompress2(decompressor.get(), jpeg.data(), size, pixels.data(), width, width * 3, height, TJPF_BGR, 0) != 0) {
    return false;
  }
  unsigned char* encoded = nullptr;
  unsigned long encodedSize = 0;
  if (tjCompress2(compressor.get(), pixels.data(), width, width * 3, height, TJPF_BGR, &encoded, &encodedSize,
                  subsampling, quality, 0) != 0) {
    tjFree(encoded);
    return false;
  }
  std::unique_ptr<unsigned char, TjBufferDeleter> encodedOwner(encoded);
  std::FILE* file = os::OpenFile(path, "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(encoded, 1, encodedSize, file) == encodedSize;
  return std::fclose(file) == 0 && written;
}

}  // namespace camera
