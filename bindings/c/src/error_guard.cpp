#include "bindings/c/src/error_guard.h"

#include <cstring>
#include <new>

#include "runtime/automation_error.h"

namespace lattix::cabi {

namespace {
// Copies at most size - 1 bytes without cutting a UTF-8 sequence in two.
void CopyTruncated(char* dst, size_t size, std::string_view src) {
    size_t n = src.size();
    if (n >= size) {
        n = size - 1;
        while (n > 0 && (static_cast<unsigned char>(src[n]) & 0xC0) == 0x80) --n;
    }
    std::memcpy(dst, src.data(), n);
    dst[n] = '\0';
}
} // namespace

int32_t ReportError(lx_error* error, int32_t number, std::string_view source, std::string_view description) {
    if (error) {
        error->number = number;
        CopyTruncated(error->source, sizeof error->source, source);
        CopyTruncated(error->description, sizeof error->description, description);
    }
    return number;
}

void ClearError(lx_error* error) {
    if (!error) return;
    error->number = 0;
    error->source[0] = '\0';
    error->description[0] = '\0';
}

int32_t ReportCurrentException(lx_error* error) {
    try {
        throw;
    } catch (const AutomationError& e) {
        // A zero number would read as success.
        return ReportError(error, e.number() != 0 ? e.number() : kUnspecified, e.source(), e.description());
    } catch (const std::bad_alloc&) {
        return ReportError(error, runtime_error_number::kOutOfMemory, "Lattix", "Out of memory.");
    } catch (...) {
        return ReportError(error, kUnspecified, "Lattix", "Unspecified error.");
    }
}

void RaiseInvalidPointer() { throw AutomationError(kInvalidPointer, "Lattix", "Invalid pointer."); }

void RaiseInvalidArgument() {
    throw AutomationError(runtime_error_number::kInvalidProcedureCall, "Lattix",
                          "Invalid procedure call or argument.");
}

void RaiseBadVarType() { throw AutomationError(kBadVarType, "Lattix", "Bad variable type."); }

} // namespace lattix::cabi
