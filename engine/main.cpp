// One simulation program; which one is fixed when it is built (ORVO_ENGINE_SIMTYP).
#include <filesystem>
#include <iostream>
#include <system_error>

#include "engine/program.h"

int main() {
  std::error_code error;
  const std::filesystem::path here = std::filesystem::current_path(error);
  if (error) {
    std::cerr << "Unable to find the working directory: " << error.message() << "\n";
    return orvo::engine::kNoControlFile;
  }
  return orvo::engine::RunEngine(ORVO_ENGINE_SIMTYP, here, std::cerr);
}
