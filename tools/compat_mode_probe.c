/* Exits 0 when this machine runs 32-bit x86 code inside a 64-bit process:
   a far return into the 32-bit user code segment (0x23) and a far jump back
   to the 64-bit one (0x33), as wine's WoW64 mode switches. Where the
   machine has no such mode, the jump faults and the process dies by
   SIGSEGV. Built without PIE, so that the 32-bit code lies below 4 GiB. */
int main(void) {
  __asm__ volatile(
      "lea 1f(%%rip), %%rax\n\t"
      "pushq $0x23\n\t"
      "pushq %%rax\n\t"
      "lretq\n\t"
      ".code32\n"
      "1: ljmp $0x33, $2f\n\t"
      ".code64\n"
      "2:\n\t" ::: "rax", "memory");
  return 0;
}
