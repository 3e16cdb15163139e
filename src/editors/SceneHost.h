#pragma once
// What the scene-mode switch needs of the main window.

#include <QString>

namespace tessel {

class SceneHost {
public:
    virtual ~SceneHost() = default;
    virtual bool IsKeyEditorOpen() const = 0;
    virtual bool IsApplyEnabled() const = 0;
    // Edits that no apply has taken yet: those an apply is sending do not count.
    virtual bool HasUnsentEdits() const = 0;
    // Runs the window's Apply command (1006): its frames go out before any
    // keyboard job asked for after it.
    virtual void RunApplyCommand() = 0;
    virtual void EnableApply(bool enable) = 0;
    // The exit sequence has begun: nothing may follow a question it closed.
    virtual bool IsExiting() const = 0;
    // Labels and marks the key and G-key buttons from the active profile's entries.
    virtual void RefreshKeyButtonLabels() = 0;
    // Caption and tooltip of the scene button 1005.
    virtual void SetSceneButton(const QString& caption, const QString& tooltip) = 0;
};

}  // namespace tessel
