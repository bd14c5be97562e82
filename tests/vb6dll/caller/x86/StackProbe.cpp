#include "StackProbe.hpp"

// cdecl helper in assembly: pushes `count` arguments, calls `function`,
// stores the bytes it popped, and restores the stack from the frame pointer
// whatever the callee did to it.
extern "C" std::uint32_t tedsProbeCall(const void* function, const std::uint32_t* arguments,
                                       std::uint32_t count, std::uint32_t* popped) asm("teds_probe_call");

asm(R"(
    .text
    .globl teds_probe_call
teds_probe_call:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 12(%ebp), %edx
    movl 16(%ebp), %ecx
1:  testl %ecx, %ecx
    jz 2f
    pushl -4(%edx,%ecx,4)
    decl %ecx
    jmp 1b
2:  movl %esp, %esi
    call *8(%ebp)
    movl %esp, %ecx
    subl %esi, %ecx
    movl 20(%ebp), %edx
    movl %ecx, (%edx)
    leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

namespace teds::test {

ProbedCall probeCall(const void* function, const std::vector<std::uint32_t>& arguments) {
    ProbedCall call{};
    call.result = tedsProbeCall(function, arguments.data(), static_cast<std::uint32_t>(arguments.size()),
                                &call.bytesPopped);
    return call;
}

}  // namespace teds::test
