#include "tests/win32/stack_check.h"

// ebx keeps the count and edi the stack pointer from before the pushes;
// both survive the call in every 32-bit Windows calling convention.
asm(R"(
    .text
    .globl _ArgumentBytesRemovedByCallee
_ArgumentBytesRemovedByCallee:
    push %ebp
    mov %esp, %ebp
    push %ebx
    push %esi
    push %edi
    mov 12(%ebp), %esi
    mov 16(%ebp), %ebx
    mov %esp, %edi
    mov %ebx, %ecx
1:  test %ecx, %ecx
    jz 2f
    dec %ecx
    push (%esi,%ecx,4)
    jmp 1b
2:  call *8(%ebp)
    mov 20(%ebp), %ecx
    mov %eax, (%ecx)
    mov %esp, %eax
    sub %edi, %eax
    lea (%eax,%ebx,4), %eax
    mov %edi, %esp
    pop %edi
    pop %esi
    pop %ebx
    pop %ebp
    ret
)");
