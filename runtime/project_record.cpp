#include "runtime/project_record.h"

#include "window/block_error.h"
#include "window/form_block.h"

#include <string>

namespace channelflow::runtime {

window::FormDescription loadStartupForm(const ProjectRecord& record) {
  window::FormDescription form;
  try {
    form = window::readFormBlock(record.formBlock);
  } catch (const window::BlockError& error) {
    throw StartupError(std::string("窗体描述已损坏，无法创建窗口（") + error.what() + "）");
  }
  if (form.name != record.startupObject) {
    throw StartupError("启动对象 " + std::string(record.startupObject) + " 与窗体描述中的窗体 " + form.name + " 不符");
  }
  if (form.objectId != record.objectId || form.secondObjectId != record.secondObjectId) {
    throw StartupError("窗体描述的标识符与程序记录不符");
  }
  for (const ClickHandler& handler : record.clickHandlers) {
    const window::ControlDescription* control = form.find(handler.control);
    if (control == nullptr || control->kind != window::ControlKind::CommandButton || handler.run == nullptr) {
      throw StartupError("单击事件的处理程序指向不存在的按钮 " + std::string(handler.control));
    }
  }
  return form;
}

const ClickHandler* findClickHandler(const ProjectRecord& record, std::string_view control) {
  for (const ClickHandler& handler : record.clickHandlers) {
    if (handler.control == control) return &handler;
  }
  return nullptr;
}

}  // namespace channelflow::runtime
