// The fuzz target functions, each defined in one of the files beside this one.
#pragma once

#include <cstdint>
#include <span>

namespace lattix::fuzz {

void FuzzTabText(std::span<const uint8_t> data);
void FuzzLayoutText(std::span<const uint8_t> data);
void FuzzPropertyBagJson(std::span<const uint8_t> data);
void FuzzFormat(std::span<const uint8_t> data);
void FuzzTextConversion(std::span<const uint8_t> data);
void FuzzPaste(std::span<const uint8_t> data);
void FuzzRecordSet(std::span<const uint8_t> data);
void FuzzMemberCalls(std::span<const uint8_t> data);
void FuzzCarcassFile(std::span<const uint8_t> data);
void FuzzCalibrationFile(std::span<const uint8_t> data);
void FuzzFlockFile(std::span<const uint8_t> data);
void FuzzPartsList(std::span<const uint8_t> data);
void FuzzBatchCommandLine(std::span<const uint8_t> data);

} // namespace lattix::fuzz
