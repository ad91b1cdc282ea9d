#include "insearch/replace_form.h"

#include "core/form_services.h"
#include "ui/std_controls.h"

namespace gleanix::insearch {
namespace {

using ui::Event;
using ui::make;
using ui::TButton;

constexpr const char* kGeometryPath = "ReplaceForm";

const ui::FormTable kLayout = {
    .className = TReplaceForm::kClassName,
    .caption = "置換",
    .clientWidth = 432,
    .clientHeight = 89,
    .sizeable = false,
    .events = {{Event::OnCreate, "FormCreate"}, {Event::OnClose, "FormClose"}},
    .controls =
        {
            {.kind = make<ui::TLabel>, .name = "MainLabel", .bounds = {12, 12, 408, 30}},
            {.kind = make<TButton>, .name = "YesButton", .caption = "置換する(&Y)", .bounds = {12, 52, 96, 25},
             .props = {.isDefault = true, .modalResult = sys::result::Yes}},
            {.kind = make<TButton>, .name = "NoButton", .caption = "置換しない(&N)", .bounds = {116, 52, 96, 25},
             .props = {.modalResult = sys::result::No}},
            {.kind = make<TButton>, .name = "AllButton", .caption = "一気に置換(&A)", .bounds = {220, 52, 96, 25},
             .props = {.modalResult = sys::result::Ok}},
            {.kind = make<TButton>, .name = "CancelButton", .caption = "キャンセル", .bounds = {324, 52, 96, 25},
             .props = {.isCancel = true, .modalResult = sys::result::Cancel}},
        },
};

}  // namespace

TReplaceForm::TReplaceForm(core::StartedPlugin& plugin, const std::string& question)
    : TForm(plugin.desktop(), kLayout), plugin_(plugin) {
  handler("FormCreate", &TReplaceForm::FormCreate);
  handler("FormClose", &TReplaceForm::FormClose);
  created();
  component<ui::TLabel>("MainLabel").setCaption(question);
}

void TReplaceForm::FormCreate() {
  plugin_.commonForm().giveIcon(handle());
  core::restoreFormRegistryGeometry(plugin_, *this, kGeometryPath);
}

void TReplaceForm::FormClose() { core::saveFormRegistryGeometry(plugin_, *this, kGeometryPath); }

}  // namespace gleanix::insearch
