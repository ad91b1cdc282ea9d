#pragma once
// Runs a function on a thread with a 1 MB stack, the size Windows gives the
// threads of the host, so that tests see a stack overflow where the product
// would.

#include <exception>
#include <functional>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#endif

namespace gleanix::regex::testing {

inline constexpr unsigned kHostStackBytes = 1u << 20;

#ifdef _WIN32
template <typename Job>
DWORD WINAPI threadStart(LPVOID job) {
  Job::run(static_cast<Job*>(job));
  return 0;
}
#endif

// Runs f; an exception it throws is rethrown on the calling thread.
inline void runOnHostSizedStack(const std::function<void()>& f) {
  struct Job {
    const std::function<void()>* f;
    std::exception_ptr error;
    bool finished;
    static void run(Job* job) {
      try {
        (*job->f)();
      } catch (...) {
        job->error = std::current_exception();
      }
      job->finished = true;
    }
  } job{&f, nullptr, false};
#ifdef _WIN32
  HANDLE thread = CreateThread(nullptr, kHostStackBytes, &threadStart<Job>, &job,
                               STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (thread == nullptr) throw std::runtime_error("CreateThread");
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
#else
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, kHostStackBytes);
  pthread_t thread;
  const int rc = pthread_create(
      &thread, &attr,
      [](void* p) -> void* {
        Job::run(static_cast<Job*>(p));
        return nullptr;
      },
      &job);
  pthread_attr_destroy(&attr);
  if (rc != 0) throw std::runtime_error("pthread_create");
  pthread_join(thread, nullptr);
#endif
  if (job.error) std::rethrow_exception(job.error);
  // Under Wine a stack overflow ends the thread without ending the process.
  if (!job.finished) throw std::runtime_error("the thread did not finish (stack overflow?)");
}

}  // namespace gleanix::regex::testing
