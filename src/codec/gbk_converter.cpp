#include "codec/gbk_converter.h"

#include <unicode/ucnv_cb.h>

namespace quorlen::codec_detail {

namespace {

void MarkSubstituted(const void* context) {
    if (context)
        *static_cast<bool*>(const_cast<void*>(context)) = true;
}

void QuestionMarkPerUnit(const void* context, UConverterFromUnicodeArgs* args,
                         const UChar* /*units*/, int32_t length, UChar32 /*code*/,
                         UConverterCallbackReason reason, UErrorCode* error) {
    if (reason > UCNV_IRREGULAR)
        return;
    MarkSubstituted(context);
    *error = U_ZERO_ERROR;
    for (int32_t i = 0; i < length && U_SUCCESS(*error); ++i)
        ucnv_cbFromUWriteBytes(args, "?", 1, 0, error);
}

void QuestionMarkPerSequence(const void* context, UConverterToUnicodeArgs* args,
                             const char* /*bytes*/, int32_t /*length*/,
                             UConverterCallbackReason reason, UErrorCode* error) {
    if (reason > UCNV_IRREGULAR)
        return;
    MarkSubstituted(context);
    *error = U_ZERO_ERROR;
    static constexpr UChar kQuestionMark = u'?';
    ucnv_cbToUWriteUChars(args, &kQuestionMark, 1, 0, error);
}

} // namespace

ConverterPtr OpenGbkConverter(bool* substituted) {
    UErrorCode error = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open("windows-936-2000", &error));
    if (U_FAILURE(error))
        return nullptr;
    ucnv_setFallback(converter.get(), true);
    ucnv_setFromUCallBack(converter.get(), QuestionMarkPerUnit, substituted, nullptr, nullptr,
                          &error);
    ucnv_setToUCallBack(converter.get(), QuestionMarkPerSequence, substituted, nullptr, nullptr,
                        &error);
    if (U_FAILURE(error))
        return nullptr;
    return converter;
}

} // namespace quorlen::codec_detail
