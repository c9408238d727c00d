#include "contract/edit_contract.h"
#include "base/memory_edit.h"

namespace kestil::testing {

INSTANTIATE_TEST_SUITE_P(Memory, EditContract,
                         ::testing::Values(EditBackend{
                             "memory", [] { return std::make_unique<MemoryEdit>(); }}),
                         [](const auto& info) { return info.param.name; });

}  // namespace kestil::testing
