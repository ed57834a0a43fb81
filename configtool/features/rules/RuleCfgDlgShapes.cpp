// The rule editor's two shapes: adding them, loading them from the camera, picking, dragging and
// reshaping them on the video, their rows in "lst_rules", their parameter dialogs and deleting them.

#include <algorithm>
#include <vector>

#include "configtool/features/rules/DlgRuleLPRSet.h"
#include "configtool/features/rules/DlgRuleRegionSet.h"
#include "configtool/features/rules/GraphObjectManager.h"
#include "configtool/features/rules/PolygonRing.h"
#include "configtool/features/rules/RuleCfgDlg.h"
#include "configtool/features/rules/RuleCoordinates.h"
#include "configtool/features/rules/RuleDefaults.h"
#include "configtool/features/rules/RuleListItemUI.h"
#include "configtool/features/rules/RuleRecords.h"

namespace {

constexpr std::uint32_t kShapeColor = 0x64FF0000;
constexpr int kVertexRadius = 10;
constexpr int kLoopRecordVertices = 4;
constexpr int kRegionRecordVertices = 12;
constexpr const char* kRegionName = "识别区域";
constexpr const char* kDefaultLoopName = "默认电子线圈";
constexpr int kDefaultInterval = 10;
constexpr int kDefaultMaxWidth = 400;
constexpr int kDefaultMinWidth = 45;
constexpr int kWideMaxWidth = 600;
constexpr int kWideMinWidth = 80;

void PlaceShape(CJqPolygen& shape, const std::vector<GraphPoint>& vertices, const std::string& name,
                RingClosing closing) {
  shape.ClearPoints();
  shape.SetColor(kShapeColor);
  for (const GraphPoint& vertex : vertices) shape.AppendVertex(vertex);
  CloseRing(shape, closing);
  shape.SetState(kShapeNormal);
  shape.SetName(name);
}

std::vector<GraphPoint> FromCamera(const CameraClientPoint* points, int count) {
  const GraphObjectManager& manager = GraphObjectManager::Instance();
  std::vector<GraphPoint> vertices;
  for (int i = 0; i < count; ++i) vertices.push_back(FromThousandths(points[i], manager));
  return vertices;
}

template <typename Dialog>
UINT ShowRuleDialog(Dialog* dialog, HWND owner, const char* layout, const char* name) {
  dialog->CreateWnd(layout, owner, name, nullptr, false, false, false, 0);
  dialog->CenterWindow();
  return dialog->ShowModal();
}

}  // namespace

bool CRuleCfgDlg::ShowShape(CJqPolygen& shape, const std::string& label) {
  if (&shape == &m_loop) {
    m_surface.SetLoopShape(&shape);
  } else {
    m_surface.SetRegionShape(&shape);
  }
  GraphObjectManager::Instance().Add(&shape);
  CRuleListItemUI* row = m_pListRules != nullptr ? CreateRuleRow(&m_pm) : nullptr;
  if (row == nullptr || !m_pListRules->Add(row)) {
    delete row;
    HideShape(shape);
    return false;
  }
  row->SetName("rule_item");
  row->BindParts(label);
  row->SetShape(&shape);
  return true;
}

void CRuleCfgDlg::HideShape(CJqPolygen& shape) {
  if (&shape == &m_loop) {
    m_surface.SetLoopShape(nullptr);
  } else {
    m_surface.SetRegionShape(nullptr);
  }
  GraphObjectManager::Instance().Remove(&shape);
  shape.ClearPoints();
  if (m_pSelected == &shape) m_pSelected = nullptr;
}

CRuleListItemUI* CRuleCfgDlg::RowOf(const CGOjbect* shape) const {
  if (m_pListRules == nullptr) return nullptr;
  for (int i = 0; i < m_pListRules->GetCount(); ++i) {
    auto* row = dynamic_cast<CRuleListItemUI*>(m_pListRules->GetItemAt(i));
    if (row != nullptr && row->GetShape() == shape) return row;
  }
  return nullptr;
}

void CRuleCfgDlg::AddRegion() {
  if (m_regionRule.exists) return ShowMessage("只允许配置一个识别区域！");
  const GraphObjectManager& manager = GraphObjectManager::Instance();
  const SIZE view = ViewSize();
  const auto vertices = DefaultRegionVertices(static_cast<int>(view.cx), static_cast<int>(view.cy),
                                              manager.ImageWidth(), manager.ImageHeight());
  PlaceShape(m_region, std::vector<GraphPoint>(vertices.begin(), vertices.end()), kRegionName, RingClosing::Uncrossed);
  if (!ShowShape(m_region, kRegionName)) return;
  m_regionRule.record.byEnable = 1;
  m_regionRule.record.byDraw = 1;
  m_regionRule.exists = true;
  SwitchToWideAngleWithHint();
}

void CRuleCfgDlg::AddLoop() {
  if (m_loopRule.exists) return ShowMessage("只允许配置一个虚拟线圈！");
  const GraphObjectManager& manager = GraphObjectManager::Instance();
  const auto vertices = DefaultLoopVertices(manager.ImageWidth(), manager.ImageHeight());
  PlaceShape(m_loop, std::vector<GraphPoint>(vertices.begin(), vertices.end()), kDefaultLoopName,
             RingClosing::Uncrossed);
  int hardwareType = 0;
  if (m_handle != 0) CameraClient_GetHardwareType(m_handle, &hardwareType);
  if (!ShowShape(m_loop, kDefaultLoopName)) return;
  CameraClientPolygonRule& entry = m_loopRule.record.rule;
  StoreLoopName(entry, kDefaultLoopName);
  entry.direction = 0;
  entry.interval = kDefaultInterval;
  entry.enable = 1;
  entry.draw = 1;
  const bool wide = hardwareType == 2 || hardwareType == 3;
  entry.minWidth = wide ? kWideMinWidth : kDefaultMinWidth;
  entry.maxWidth = wide ? kWideMaxWidth : kDefaultMaxWidth;
  m_loopRule.record.count = 1;
  m_loopRule.exists = true;
  SwitchToWideAngleWithHint();
}

void CRuleCfgDlg::LoadLoop() {
  // A loop the operator drew before the camera's came stays; only the bytes it leaves are taken.
  if (!ReadRuleRecord(m_handle, &CameraClient_GetPolygonRules, m_loopRule) || m_loopRule.exists) return;
  const CameraClientPolygonRules& camera = m_loopRule.record;
  if (camera.count == 0) return;
  const std::string name = LoopNameOf(camera.rule);
  PlaceShape(m_loop, FromCamera(camera.rule.points, kLoopRecordVertices), name, RingClosing::Always);
  // A loop that cannot be shown is not sent back either.
  m_loopRule.exists = ShowShape(m_loop, name);
  m_loopRule.loaded = m_loopRule.exists;
}

void CRuleCfgDlg::LoadRegion() {
  if (!ReadRuleRecord(m_handle, &CameraClient_GetRecognitionRegion, m_regionRule) || m_regionRule.exists) return;
  const CameraClientRegion& camera = m_regionRule.record;
  // Shown whether the camera uses it or not; a record without a ring is kept as it came.
  const int count = static_cast<int>(std::min<std::uint32_t>(camera.uNumVertex, kRegionRecordVertices));
  if (count < 3) return;
  PlaceShape(m_region, FromCamera(camera.vertices, count), kRegionName, RingClosing::Always);
  m_regionRule.exists = ShowShape(m_region, kRegionName);
  m_regionRule.loaded = m_regionRule.exists;
}

void CRuleCfgDlg::DeleteSelectedRule() {
  if (GraphObjectManager::Instance().Count() < 1 || m_pSelected == nullptr) return;
  CGOjbect* shape = m_pSelected;
  CRuleListItemUI* row = RowOf(shape);
  if (shape == &m_region) {
    HideShape(m_region);
    m_regionRule.record.byEnable = 0;
    m_regionRule.exists = false;
    m_regionRule.deleted = true;
  } else {
    HideShape(m_loop);
    m_loopRule.record.count = 0;
    m_loopRule.exists = false;
    m_loopRule.deleted = true;
  }
  if (row != nullptr) m_pListRules->Remove(row);
  m_pSelected = nullptr;
}

void CRuleCfgDlg::DeleteActiveVertex() {
  if (GraphObjectManager::Instance().Count() < 1 || m_pSelected == nullptr || m_pSelected->GetActiveVertex() < 0)
    return;
  m_pSelected->DeleteVertex();
  m_pSelected->SetActiveVertex(-1);
}

void CRuleCfgDlg::PressOnVideo(const ui::TNotifyUI& msg) {
  GraphObjectManager& manager = GraphObjectManager::Instance();
  const GraphPoint p = ImagePoint(msg);
  CGOjbect* shape = manager.Pick(p);
  m_pSelected = shape;
  manager.Select(shape);
  if (shape == nullptr || m_pPlayControl == nullptr) return;
  const int viewX = static_cast<int>(msg.wParam);
  const int viewY = static_cast<int>(msg.lParam);
  const HWND window = m_pPlayControl->GetHandle();
  const int vertex = shape->FindVertex(p.x, p.y, kVertexRadius);
  if (vertex < 0) {
    shape->SetDragStartCallback(&CRuleCfgDlg::OnRuleDragStart, this);
    shape->DragMove(viewX, viewY, window);
    shape->SetDragStartCallback(nullptr, nullptr);
    shape->SetActiveVertex(-1);
    return;
  }
  if (SwitchToWideAngle()) ShowWideAngleHint();
  shape->SetActiveVertex(vertex);
  shape->DragVertex(viewX, viewY, window, vertex);
}

void CRuleCfgDlg::OnRuleDragStart(void* user) {
  if (user != nullptr) static_cast<CRuleCfgDlg*>(user)->SwitchToWideAngleWithHint();
}

void CRuleCfgDlg::HoverOnVideo(const ui::TNotifyUI& msg) {
  GraphObjectManager& manager = GraphObjectManager::Instance();
  const GraphPoint p = ImagePoint(msg);
  manager.UpdateHover(p);
  manager.UpdateHoverVertex(p);
}

void CRuleCfgDlg::DoubleClickOnVideo(const ui::TNotifyUI& msg) {
  if (m_pSelected == nullptr) return;
  const GraphPoint p = ImagePoint(msg);
  m_pSelected->InsertVertex(p.x, p.y);
}

void CRuleCfgDlg::SelectByRow(ui::CControlUI* row) {
  auto* item = dynamic_cast<CRuleListItemUI*>(row);
  if (item == nullptr || item->GetShape() == nullptr) return;
  m_pSelected = item->GetShape();
  GraphObjectManager::Instance().Select(m_pSelected);
}

void CRuleCfgDlg::OpenRuleParams(ui::CControlUI* button) {
  CRuleListItemUI* row = nullptr;
  for (ui::CControlUI* parent = button->GetParent(); parent != nullptr && row == nullptr;
       parent = parent->GetParent()) {
    row = dynamic_cast<CRuleListItemUI*>(parent);
  }
  if (row == nullptr || row->GetShape() == nullptr) return;
  if (row->GetShape() == &m_region) {
    auto* dialog = new CDlgRuleRegionSet;
    dialog->SetRegionRecord(&m_regionRule.record);
    ShowRuleDialog(dialog, m_hWnd, "Dlg_Rule_RegionSet.xml", "ruleRegionSet");
    return;
  }
  auto* dialog = new CDlgRuleLPRSet;
  dialog->SetLoopEntry(&m_loopRule.record.rule);
  if (ShowRuleDialog(dialog, m_hWnd, "Dlg_Rule_LpSet.xml", "ruleLPRSet") != IDOK) return;
  // The loop's name shows on its row and beside the drawn loop.
  const std::string name = LoopNameOf(m_loopRule.record.rule);
  m_loop.SetName(name);
  if (CRuleListItemUI* loopRow = RowOf(&m_loop)) loopRow->SetLabelText(name);
}
