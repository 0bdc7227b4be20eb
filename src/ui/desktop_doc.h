// The document as the desktop app holds it: its changes to the item list reach the view.
#pragma once

#include <functional>

#include "app/vamel_rss_doc.h"

class CDesktopDoc : public CVamelRssDoc {
public:
  using CVamelRssDoc::CVamelRssDoc;

  // Called after an import changed the item list (the view refreshes with the first row current).
  void SetViewUpdate(std::function<void()> update) { m_update = std::move(update); }
  void UpdateAllViews() override {
    if (m_update) m_update();
  }

private:
  std::function<void()> m_update;
};
