// Transformation entry points that this build does not have yet.
#include "core/stub_log.h"
#include "transforms/commands.h"

namespace qv {

void ExpressionEvaluator(int16_t mode) {
  notBuilt(callText("ExpressionEvaluator", mode), mode ? "Expression Transforms" : "Expression Evaluator");
}

}  // namespace qv
