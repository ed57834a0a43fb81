// Saving the rule editor's loop and region to the camera, in thousandths of the picture.

#include <cstring>
#include <vector>

#include "configtool/features/rules/GraphObjectManager.h"
#include "configtool/features/rules/PolygonRing.h"
#include "configtool/features/rules/RuleCfgDlg.h"
#include "configtool/features/rules/RuleCoordinates.h"
#include "configtool/features/rules/RuleRecords.h"

namespace {

// The records hold 12 vertices; the loop always has 4 of them.
constexpr int kRecordVertices = 12;

// Writes the shape's vertices into `points`; false when the shape holds no ring.
bool WriteVertices(const CJqPolygen& shape, CameraClientPoint* points, int& count) {
  std::vector<GraphPoint> vertices;
  if (!CollectVertices(shape, kRecordVertices, vertices)) return false;
  const GraphObjectManager& manager = GraphObjectManager::Instance();
  for (std::size_t i = 0; i < vertices.size(); ++i) points[i] = ToThousandths(vertices[i], manager);
  count = static_cast<int>(vertices.size());
  return true;
}

}  // namespace

void CRuleCfgDlg::SaveRules() {
  const bool loopSaved = SaveLoop();
  const bool regionSaved = SaveRegion();
  ShowMessage(loopSaved && regionSaved ? "保存配置成功！" : "保存失败，请重试！");
}

bool CRuleCfgDlg::SaveLoop() {
  if (m_handle == 0) return false;
  if (!m_loopLoaded) {
    // Nothing was read to be sent back, and nothing of the operator's waits to go.
    if (!m_loopExists) return true;
    // A loop drawn before the camera's record came goes over the bytes the camera holds now.
    CameraClientPolygonRules camera{};
    if (CameraClient_GetPolygonRules(m_handle, &camera) != 0) return false;
    KeepCameraBytes(m_loopRecord, camera);
    m_loopLoaded = true;
  }
  int count = 0;
  // Vertex slots after the written ones stay as they were; a deleted loop goes as an empty record.
  const bool written = m_loopExists && WriteVertices(m_loop, m_loopRecord.rule.points, count);
  if (!written && m_loopDeleted) std::memset(&m_loopRecord, 0, sizeof(m_loopRecord));
  return CameraClient_SetPolygonRules(m_handle, &m_loopRecord) == 0;
}

bool CRuleCfgDlg::SaveRegion() {
  if (m_handle == 0) return false;
  if (!m_regionLoaded) {
    if (!m_regionExists) return true;
    CameraClientRegion camera{};
    if (CameraClient_GetRecognitionRegion(m_handle, &camera) != 0) return false;
    KeepCameraBytes(m_regionRecord, camera);
    m_regionLoaded = true;
  }
  int count = 0;
  if (m_regionExists && WriteVertices(m_region, m_regionRecord.vertices, count)) {
    m_regionRecord.uNumVertex = static_cast<std::uint32_t>(count);
  } else if (m_regionDeleted) {
    std::memset(&m_regionRecord, 0, sizeof(m_regionRecord));
  }
  return CameraClient_SetRecognitionRegion(m_handle, &m_regionRecord) == 0;
}
