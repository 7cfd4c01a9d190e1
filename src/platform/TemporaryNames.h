#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The temporary file a save writes beside its target: ~qrl<process>-<run>-<n>.tmp, <process>
// the decimal id of the Quorlan writing it, <run> 16 lower-case hex digits drawn once a run,
// <n> a decimal counter. Earlier releases wrote ~qrl<process>-<n>.tmp.
std::string TemporaryFileName(std::uint32_t process, std::uint64_t run, std::uint32_t counter);

// The process that wrote a file of that name, when the name has exactly one of those forms;
// nothing for any other name, which is never ours to remove.
std::optional<std::uint32_t> TemporaryFileMaker(std::string_view name);
