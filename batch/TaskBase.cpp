#include "batch/TaskBase.h"

CTaskBase::CTaskBase() : m_run(std::make_shared<RunFlag>(true)) {}

CTaskBase::~CTaskBase() = default;

void CTaskBase::StopHook() {}
