#include "storage/app_state.h"

AppState& State() {
  // Never destroyed: detached workers may still read it while the process ends.
  static AppState* state = new AppState;
  return *state;
}

void ReleaseState() {
  AppState& state = State();
  state.workingDirectory.clear();
  state.configFilePath.clear();
  state.seedFilePath.clear();
  state.resultFilePath.clear();
  state.depthText.Set({});
  state.delayText.Set({});
}
