#pragma once

#include "model/UpdateHint.h"

// What a document knows of a view showing it. The widgets implement it; tests implement it
// to record the notices a change sends.
class IDocView
{
public:
    virtual ~IDocView() = default;

    // A change of the document. pSender is the view that caused it, or nullptr.
    virtual void OnUpdate(IDocView* pSender, const UpdateHint& hint) = 0;
    // The document's title or modified state changed: the frame caption should be rebuilt.
    virtual void OnUpdateFrameTitle() {}
};
