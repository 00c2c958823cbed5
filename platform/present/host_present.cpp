#include <talix/host_present.h>

#include "platform/present/presenter.h"

#include <mutex>

namespace talix::host {
namespace {

std::mutex presenterLock;

present::Presenter& HostPresenter() {
  static present::Presenter presenter;
  return presenter;
}

}  // namespace

bool StartPresenter(present::ScreenSource* screen, present::InputSink* input) {
  if (screen == nullptr) screen = present::DefaultScreenSource();
  if (input == nullptr) input = present::DefaultInputSink();
  if (screen == nullptr || input == nullptr) return false;
  std::lock_guard<std::mutex> hold(presenterLock);
  return HostPresenter().Start(*screen, *input);
}

void StopPresenter() {
  std::lock_guard<std::mutex> hold(presenterLock);
  HostPresenter().Stop();
}

bool PresenterRunning() {
  std::lock_guard<std::mutex> hold(presenterLock);
  return HostPresenter().IsRunning();
}

}  // namespace talix::host
