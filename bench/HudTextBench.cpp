// What the heads-up text costs a frame through the real OpenGL device (run under Xvfb):
// the text box, the score screen's text and four other strings, once their strings are
// rendered. Frames with the texts shown and hidden alternate; the difference is the text.
#include "BenchSupport.h"
#include "Core/ObjectManager.h"
#include "Game/ScoreManager.h"
#include "Graphics/FontComponent.h"
#include "Graphics/TextBox.h"
#include "core/Services.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace
{
	Graphics::FontComponent* MakeText( const char* name, const char* text, float x, float y )
	{
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();
		Tarn::Object* owner = objects.CreateObject( Tarn::HashedName( "Font" ), name );
		if ( !owner )
			return nullptr;
		objects.InitialiseObject( owner );
		auto* font = owner->GetComponent<Graphics::FontComponent>();
		font->mWidthScale = 0.012f;
		font->mHeightScale = 0.04f;
		font->RecreateFont();
		font->mX = x;
		font->mY = y;
		font->mColour = 0xFFFFFFFF;
		font->mText = text;
		return font;
	}

	void HudText( benchmark::State& state )
	{
		auto project = KelvaneBench::StartWindowedGame( state );
		if ( !project )
			return;
		Tarn::GameTime& time = project->GetGameTime();
		time.ElapsedSeconds = 0.016f;
		Tarn::ObjectManager& objects = Tarn::ObjectManager::Instance();

		std::vector<Graphics::FontComponent*> texts;
		// The text box, open with its whole text typed.
		Tarn::Object* boxObject = objects.CreateObject( Graphics::TextBox::ClassHashedName(), "TextBox1" );
		objects.InitialiseObject( boxObject );
		auto* box = static_cast<Graphics::TextBox*>( boxObject );
		box->SetText( "Uriel      : The Upper Realms... I am finally back home.\n"
		              "               Now to get past The Gates...\n\n\n\n\n(<Spacebar> to close this message)" );
		box->SetShown( true );
		for ( int i = 0; i < 200 && !box->IsComplete(); ++i )
			box->Update( time );
		texts.push_back( box->GetComponent<Graphics::FontComponent>() );
		// The score screen, every line revealed.
		auto* score = Tarn::Services::Get<Tarn::ScoreManager>();
		score->ShowScoreScreen();
		for ( int i = 0; i < 400; ++i )
			score->Update( time );
		texts.push_back( objects.GetObject( Tarn::HashedName( "ScoreFont" ) )->GetComponent<Graphics::FontComponent>() );
		// Four more: captions and counters.
		texts.push_back( MakeText( "Text1", "Level 1", 0.02f, 0.02f ) );
		texts.push_back( MakeText( "Text2", "Score 4500", 0.8f, 0.02f ) );
		texts.push_back( MakeText( "Text3", "Crystals 3 / 4", 0.8f, 0.08f ) );
		texts.push_back( MakeText( "Text4", "Press F1 for help", 0.4f, 0.94f ) );

		auto frame = [&]( bool shown ) {
			for ( Graphics::FontComponent* text : texts )
				text->mVisible = shown;
			if ( project->BeginDraw() )
			{
				project->Draw( time );
				project->EndDraw();
			}
		};
		// The strings are rendered once, in the first frame that shows them.
		frame( true );

		double withText = 0.0, withoutText = 0.0, threadWith = 0.0, threadWithout = 0.0;
		int64_t pairs = 0;
		for ( auto _ : state )
		{
			double cpu = KelvaneBench::CpuMilliseconds(), thread = KelvaneBench::ThreadCpuMilliseconds();
			frame( true );
			withText += KelvaneBench::CpuMilliseconds() - cpu;
			threadWith += KelvaneBench::ThreadCpuMilliseconds() - thread;
			cpu = KelvaneBench::CpuMilliseconds();
			thread = KelvaneBench::ThreadCpuMilliseconds();
			frame( false );
			withoutText += KelvaneBench::CpuMilliseconds() - cpu;
			threadWithout += KelvaneBench::ThreadCpuMilliseconds() - thread;
			++pairs;
		}
		state.counters["text_cpu_ms_per_frame"] = ( withText - withoutText ) / double( pairs );
		state.counters["text_main_thread_ms_per_frame"] = ( threadWith - threadWithout ) / double( pairs );
		state.counters["frame_cpu_ms_with_text"] = withText / double( pairs );
		objects.DestroyAll();
		project->Shutdown();
	}
	BENCHMARK( HudText )->Unit( benchmark::kMillisecond )->UseRealTime()->MinTime( 3.0 );
}
