// A test heap for the module's allocation hooks: counts allocations, fails
// the one numbered failAt (counted from 1; 0 fails none) and tracks the
// blocks still live. While it exists, every module allocation goes through it.
#pragma once

class TFailingAllocator {
 public:
  explicit TFailingAllocator(int failAt);
  ~TFailingAllocator();  // gives the module its own heap back
  TFailingAllocator(const TFailingAllocator&) = delete;
  TFailingAllocator& operator=(const TFailingAllocator&) = delete;

  int Allocations() const;  // attempts so far, the failed one included
  int Live() const;         // blocks handed out and not yet released
};
