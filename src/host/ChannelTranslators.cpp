#include "host/ChannelTranslators.h"

#include "host/DispatchMembers.h"

namespace korrin::host {

// Filling an option map only reads the translator's table: a query.
Result<bool> ChannelTranslators::HasSaveCopyAsOptions(AddInHandle translator, DocumentHandle document,
                                                      ContextHandle context, OptionMapHandle options) {
  return ToBoolean(calls_.Call(Object(translator), members::kHasSaveCopyAsOptions,
                               {Argument(document), Argument(context), Argument(options)}, CallWeight::Query));
}

Status ChannelTranslators::SaveCopyAs(AddInHandle translator, DocumentHandle document, ContextHandle context,
                                      OptionMapHandle options, DataMediumHandle medium) {
  return AsStatus(calls_.Call(Object(translator), members::kTranslatorSaveCopyAs,
                              {Argument(document), Argument(context), Argument(options), Argument(medium)},
                              CallWeight::Work));
}

Result<bool> ChannelTranslators::HasOpenOptions(AddInHandle translator, DataMediumHandle medium, ContextHandle context,
                                                OptionMapHandle options) {
  return ToBoolean(calls_.Call(Object(translator), members::kHasOpenOptions,
                               {Argument(medium), Argument(context), Argument(options)}, CallWeight::Query));
}

// The host's out argument (the new document) comes back as the result.
Result<DocumentHandle> ChannelTranslators::Open(AddInHandle translator, DataMediumHandle medium,
                                                ContextHandle context, OptionMapHandle options) {
  return AsHandle<DocumentHandle>(ToObject(calls_.Call(Object(translator), members::kTranslatorOpen,
                                                       {Argument(medium), Argument(context), Argument(options)},
                                                       CallWeight::Work)));
}

}  // namespace korrin::host
