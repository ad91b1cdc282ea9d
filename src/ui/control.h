#pragma once
// A component with a window: bounds, alignment, visibility, caption and
// font, children that the shared layout engine places, and the events the
// desktop reports for it.

#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/form_table.h"
#include "ui/layout.h"

namespace gleanix::ui {

class TControl : public TComponent, public sys::EventSink {
 public:
  // Creates the window at once, hidden when the row says so.
  TControl(TForm& form, const ControlSpec& spec, TComponent& parent, sys::ControlKind kind,
           unsigned style = 0);
  ~TControl() override;

  sys::WindowHandle handle() const { return handle_; }
  TControl* parent() const { return parent_; }
  const std::vector<TControl*>& children() const { return children_; }

  Align align() const { return align_; }
  void setAlign(Align align);
  unsigned anchors() const { return anchors_; }

  const Bounds& bounds() const { return bounds_; }
  void setBounds(const Bounds& b);
  int left() const { return bounds_.left; }
  int top() const { return bounds_.top; }
  int width() const { return bounds_.width; }
  int height() const { return bounds_.height; }
  void setLeft(int v) { setBounds({v, bounds_.top, bounds_.width, bounds_.height}); }
  void setTop(int v) { setBounds({bounds_.left, v, bounds_.width, bounds_.height}); }
  void setWidth(int v) { setBounds({bounds_.left, bounds_.top, v, bounds_.height}); }
  void setHeight(int v) { setBounds({bounds_.left, bounds_.top, bounds_.width, v}); }
  virtual int clientWidth() const { return bounds_.width; }
  virtual int clientHeight() const { return bounds_.height; }

  bool visible() const { return visible_; }
  void setVisible(bool v);
  // Visible itself and all its parents up to the form.
  bool showing() const;
  bool enabled() const { return enabled_; }
  void setEnabled(bool e);

  virtual std::string caption() const;
  virtual void setCaption(const std::string& text);
  const std::string& hint() const { return hint_; }
  int tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }

  const sys::Font& font() const { return font_; }
  // Gives this control and all its children the font.
  void setFont(const sys::Font& font);
  void setColor(sys::Color color);
  void setFocus();
  void invalidate();

  // Places the children with the layout engine.
  virtual void realign();
  // Bounds set by the parent's layout: no realign of the parent follows.
  void setBoundsFromLayout(const Bounds& b);
  // The part of the client area that aligned children share.
  virtual Bounds alignArea() const { return {0, 0, clientWidth(), clientHeight()}; }

  void handleEvent(sys::Event& e) override;

 protected:
  virtual void click();
  virtual void doubleClick();
  virtual void change();
  virtual void mouseDown(sys::Event& e);
  virtual void mouseMove(sys::Event& e);
  virtual void mouseUp(sys::Event& e);
  virtual void handleOther(sys::Event& e);
  // After the bounds changed: lays out the children and fires OnResize.
  virtual void resized();
  // Called by the form after every row of the table exists.
  virtual void loaded() {}


 private:
  friend class TForm;
  // The form's own window.
  TControl(TForm& form, sys::Desktop& desktop, const std::string& name, const sys::WindowSpec& window);
  void applyBounds(const Bounds& b);
  void recomputeAnchors();

  sys::WindowHandle handle_ = 0;
  TControl* parent_ = nullptr;
  std::vector<TControl*> children_;
  Align align_ = Align::None;
  unsigned anchors_ = akLeft | akTop;
  Bounds bounds_;
  int rightMargin_ = 0;
  int bottomMargin_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string hint_;
  int tag_ = 0;
  sys::Font font_;
};

}  // namespace gleanix::ui
