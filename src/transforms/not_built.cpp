// Transformation entry points that this build does not have yet.
#include "core/stub_log.h"
#include "transforms/commands.h"

namespace qv {

void TRANSFORMATIONS(int16_t s) { notBuilt(callText("TRANSFORMATIONS", s), "Standard Transformations"); }
void GetCustomTransformation(int16_t s) { notBuilt(callText("GetCustomTransformation", s), "Custom Transforms"); }
void ExpressionEvaluator(int16_t mode) {
  notBuilt(callText("ExpressionEvaluator", mode), mode ? "Expression Transforms" : "Expression Evaluator");
}

}  // namespace qv
