// Saving the rule editor's loop and region to the camera, in thousandths of the picture.

#include <vector>

#include "configtool/features/rules/GraphObjectManager.h"
#include "configtool/features/rules/PolygonRing.h"
#include "configtool/features/rules/RuleCfgDlg.h"
#include "configtool/features/rules/RuleCoordinates.h"

namespace {

// The records hold 12 vertices; the loop always has 4 of them.
constexpr int kRecordVertices = 12;

// Writes the shape's vertices into `points` and returns how many; 0 when the shape holds no ring.
// The slots after the written ones stay as they were.
int WriteVertices(const CJqPolygen& shape, CameraClientPoint* points) {
  std::vector<GraphPoint> vertices;
  if (!CollectVertices(shape, kRecordVertices, vertices)) return 0;
  const GraphObjectManager& manager = GraphObjectManager::Instance();
  for (std::size_t i = 0; i < vertices.size(); ++i) points[i] = ToThousandths(vertices[i], manager);
  return static_cast<int>(vertices.size());
}

}  // namespace

void CRuleCfgDlg::SaveRules() {
  const bool loopSaved = SaveLoop();
  const bool regionSaved = SaveRegion();
  ShowMessage(loopSaved && regionSaved ? "保存配置成功！" : "保存失败，请重试！");
}

bool CRuleCfgDlg::SaveLoop() {
  return SendRuleRecord(m_handle, &CameraClient_GetPolygonRules, &CameraClient_SetPolygonRules, m_loopRule,
                        [this](CameraClientPolygonRules& record) { return WriteVertices(m_loop, record.rule.points) > 0; });
}

bool CRuleCfgDlg::SaveRegion() {
  return SendRuleRecord(m_handle, &CameraClient_GetRecognitionRegion, &CameraClient_SetRecognitionRegion, m_regionRule,
                        [this](CameraClientRegion& record) {
                          const int count = WriteVertices(m_region, record.vertices);
                          if (count > 0) record.uNumVertex = static_cast<std::uint32_t>(count);
                          return count > 0;
                        });
}
